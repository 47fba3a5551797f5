#pragma once
// Translations through GNU gettext, text domain "default". Every text the user sees goes through _();
// static tables hold N_() texts and translate them where they are shown.
#include <libintl.h>
#include <filesystem>
#include <string>

#ifndef _
#define _(text) dgettext("default", text)
#endif
#ifndef N_
#define N_(text) text
#endif

// Binds the text domain to the first "locale" folder that exists: the program folder's, the executable's,
// then the build tree's (so a program run from the build folder finds its catalogues). Uses the user's
// LANG/LC_MESSAGES; numbers stay in the "C" format whatever the locale (see NumberFormat).
void InitTranslations(const std::filesystem::path& programFolder);

// Where the catalogues were found (empty when none): for diagnostics and tests.
std::filesystem::path TranslationsFolder();

// printf-style formatting of a (translated) message with %s/%d arguments. Never use it for floating
// point numbers: format those with FormatFloat (locale independent).
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
