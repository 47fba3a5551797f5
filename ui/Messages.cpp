#include "ui/Messages.h"

#include <QMessageBox>

namespace {
std::function<void(const QString&)>& Sink() {
  static std::function<void(const QString&)> sink;
  return sink;
}
}  // namespace

void ShowErrorMessage(QWidget* parent, const QString& text) {
  if (Sink()) {
    Sink()(text);
    return;
  }
  QMessageBox::critical(parent, "Pitchbook", text);
}

void SetMessageSink(std::function<void(const QString&)> sink) { Sink() = std::move(sink); }
