// pitchbook-cli keeper --tsi N [--form LEVEL] [--level Low|Avr|High] [--json]
// The keeper calculator of the Keeper Analyzer window: the skill estimated from TSI and form.
#include "app/cli/CliCommand.h"
#include "app/cli/CliOutput.h"

#include "core/Intl.h"
#include "core/PlayerVocabulary.h"
#include "core/Utils.h"
#include "ratings/KeeperAnalyzer.h"

#include <iostream>
#include <memory>
#include <string>

namespace {
struct TKeeperRequest {
  std::string TSI;
  std::string Form = "6";
  std::string Level = "Avr";
  TCliFormatFlags Output;
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The form box's index (0..7) of a level number 1..8 or its name (English or as the program shows it).
int FormIndex(const std::string& text) {
  const std::string trimmed = Trim(text);
  if (IsIntegerText(trimmed)) {
    const int level = StrToInt(trimmed);
    return level >= 1 && level <= KeeperFormCount ? level - 1 : -1;
  }
  for (int level = 1; level <= KeeperFormCount; ++level)
    if (Lower(trimmed) == Lower(SkillLevelNames[level]) || Lower(trimmed) == Lower(SkillLevelName(level)))
      return level - 1;
  return -1;
}

// The second box's index: "Low", "Avr" ("Average") or "High", in any case, or as the program shows them.
int LevelIndex(const std::string& text) {
  const std::string t = Lower(Trim(text));
  const char* const names[KeeperSecondFormCount] = {N_("Low"), N_("Avr"), N_("High")};
  for (int i = 0; i < KeeperSecondFormCount; ++i)
    if (t == Lower(names[i]) || t == Lower(_(names[i]))) return i;
  return t == "average" ? 1 : -1;
}

int RunKeeper(const TKeeperRequest& request) {
  const int form = FormIndex(request.Form);
  if (form < 0) {
    std::cerr << FormatText(_("Not a form level (1 to 8 or its name): %s"), request.Form.c_str()) << '\n';
    return 2;
  }
  const int level = LevelIndex(request.Level);
  if (level < 0) {
    std::cerr << FormatText(_("Not a form sub-level (Low, Avr or High): %s"), request.Level.c_str()) << '\n';
    return 2;
  }
  const TKeeperEstimate e = EstimateKeeper(request.TSI, form, level);
  // The skill as the window's label shows it, two decimals.
  const double skill = StrToFloat(FormatFloat(e.Skill, 2));
  if (request.Output.Json) {
    PrintJson({{"skill", skill},
               {"track", e.ScalePosition},
               {"detail", e.DetailPosition},
               {"lower", e.LowerLevel},
               {"upper", e.UpperLevel}});
    return 0;
  }
  std::cout << e.SkillText << '\n'
            << e.LowerLevel << " .. " << e.UpperLevel << '\n'
            << FormatText(_("Scale: %d of %d"), e.ScalePosition, KeeperScaleMax) << '\n'
            << FormatText(_("Detail: %d of %d"), e.DetailPosition, KeeperDetailMax) << '\n';
  return 0;
}

const TCliCommand KeeperCommand([](CLI::App& app, TCliContext& context) {
  auto request = std::make_shared<TKeeperRequest>();
  CLI::App* command = app.add_subcommand("keeper", _("Estimate a keeper's skill from his TSI and form"));
  command->add_option("--tsi", request->TSI, _("Total skill index (text that is no number counts as 0)"))
      ->required();
  command->add_option("--form", request->Form, _("Form level 1..8 or its name (default 6, passable)"));
  command->add_option("--level", request->Level, _("Within the form level: Low, Avr or High (default Avr)"));
  AddFormatFlags(*command, request->Output, false);
  command->callback([request, &context] { context.ExitCode = RunKeeper(*request); });
});
}  // namespace
