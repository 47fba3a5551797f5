#pragma once
// The program's message boxes go through here, so that window tests can capture them instead of
// blocking on a modal box.
#include <QString>

#include <functional>

class QWidget;

// Shows an error box (error icon, OK button).
void ShowErrorMessage(QWidget* parent, const QString& text);

// Tests install a sink that receives the texts instead; an empty function restores the boxes.
void SetMessageSink(std::function<void(const QString&)> sink);
