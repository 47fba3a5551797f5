#include "ui/HistoryMessages.h"

#include <QMessageBox>

namespace {
std::function<bool(const QString&)>& Sink() {
  static std::function<bool(const QString&)> sink;
  return sink;
}
}  // namespace

bool AskHistoryQuestion(QWidget* parent, const QString& text) {
  if (Sink()) return Sink()(text);
  QString shown = text;
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return QMessageBox::warning(parent, "Pitchbook", shown, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
         QMessageBox::Yes;
}

void SetHistoryQuestionSink(std::function<bool(const QString&)> sink) { Sink() = std::move(sink); }
