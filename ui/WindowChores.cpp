#include "ui/WindowChores.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QUrl>

void AlignControlsLeft(int x, std::initializer_list<QWidget*> controls) {
  for (auto* control : controls) {
    auto* label = qobject_cast<QLabel*>(control);
    int left = label && (label->alignment() & Qt::AlignRight) ? x - control->width() : x;
    control->move(left, control->y());
  }
}

void SetControlsVisible(bool visible, std::initializer_list<QWidget*> controls) {
  for (auto* control : controls) control->setVisible(visible);
}

void SetChecked(bool checked, std::initializer_list<QCheckBox*> checkBoxes) {
  for (auto* box : checkBoxes) box->setChecked(checked);
}

void BrowseURL(const QString& url) { QDesktopServices::openUrl(QUrl(url)); }
