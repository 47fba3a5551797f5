#pragma once
// Small chores shared by the windows.
#include <QString>

#include <initializer_list>

class QWidget;
class QCheckBox;

// Sets each control's left edge to x; a label aligned to the right gets x minus its width, so that its
// text ends at x.
void AlignControlsLeft(int x, std::initializer_list<QWidget*> controls);
void SetControlsVisible(bool visible, std::initializer_list<QWidget*> controls);
void SetChecked(bool checked, std::initializer_list<QCheckBox*> checkBoxes);
// Opens the address in the system's web browser.
void BrowseURL(const QString& url);
