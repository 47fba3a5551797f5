#include "ui/Messages.h"

#include "core/Intl.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
std::function<void(const QString&)>& Sink() {
  static std::function<void(const QString&)> sink;
  return sink;
}

std::function<TMessageButton(const QString&, int)>& QuestionSink() {
  static std::function<TMessageButton(const QString&, int)> sink;
  return sink;
}

// The system's texts break lines with "\r\n"; a box shows them as plain line breaks.
QString BoxText(const QString& text) {
  QString result = text;
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return result;
}

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  if (Sink()) {
    Sink()(text);
    return;
  }
  QMessageBox box(icon, QStringLiteral("Pitchbook"), BoxText(text), QMessageBox::Ok, parent);
  box.button(QMessageBox::Ok)->setText(QString::fromUtf8(_("OK")));
  box.exec();
}

TMessageButton FirstButton(int buttons) {
  for (TMessageButton b : {mbOK, mbYes, mbNo, mbCancel})
    if (buttons & b) return b;
  return mbOK;
}
}  // namespace

void ShowErrorMessage(QWidget* parent, const QString& text) { ShowBox(parent, QMessageBox::Critical, text); }
void ShowInformationMessage(QWidget* parent, const QString& text) { ShowBox(parent, QMessageBox::Information, text); }
void ShowPlainMessage(QWidget* parent, const QString& text) { ShowBox(parent, QMessageBox::NoIcon, text); }

TMessageButton AskQuestion(QWidget* parent, TQuestionIcon icon, const QString& text, int buttons) {
  if (QuestionSink()) return QuestionSink()(text, buttons);
  if (Sink()) {
    Sink()(text);
    return FirstButton(buttons);
  }
  const QMessageBox::Icon boxIcon = icon == TQuestionIcon::Warning    ? QMessageBox::Warning
                                    : icon == TQuestionIcon::Question ? QMessageBox::Question
                                                                      : QMessageBox::Information;
  QMessageBox box(boxIcon, QStringLiteral("Pitchbook"), BoxText(text), QMessageBox::NoButton, parent);
  struct TChoice {
    TMessageButton Button;
    QMessageBox::StandardButton Standard;
    const char* Caption;
  };
  static const TChoice choices[] = {{mbOK, QMessageBox::Ok, N_("OK")},
                                    {mbYes, QMessageBox::Yes, N_("&Yes")},
                                    {mbNo, QMessageBox::No, N_("&No")},
                                    {mbCancel, QMessageBox::Cancel, N_("Cancel")}};
  for (const TChoice& choice : choices)
    if (buttons & choice.Button) box.addButton(choice.Standard)->setText(QString::fromUtf8(_(choice.Caption)));
  box.exec();
  const auto clicked = box.standardButton(box.clickedButton());
  for (const TChoice& choice : choices)
    if ((buttons & choice.Button) && clicked == choice.Standard) return choice.Button;
  // Closed with Escape or the title bar.
  if (buttons & mbCancel) return mbCancel;
  if (buttons & mbNo) return mbNo;
  return mbOK;
}

void SetMessageSink(std::function<void(const QString&)> sink) { Sink() = std::move(sink); }

void SetQuestionSink(std::function<TMessageButton(const QString&, int)> sink) { QuestionSink() = std::move(sink); }
