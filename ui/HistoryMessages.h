#pragma once
// The history window's Yes/No question. Like the boxes of ui/Messages.h it can be captured, so that window
// tests answer it instead of a person.
#include <QString>

#include <functional>

class QWidget;

// A warning with the buttons Yes and No; true for Yes.
bool AskHistoryQuestion(QWidget* parent, const QString& text);

// Tests install a sink that receives the text and gives the answer; an empty function restores the box.
void SetHistoryQuestionSink(std::function<bool(const QString&)> sink);
