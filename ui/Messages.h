#pragma once
// The program's message boxes go through here, so that window tests can capture them instead of
// blocking on a modal box.
#include <QString>

#include <functional>

class QWidget;

// Shows an error box (error icon, OK button).
void ShowErrorMessage(QWidget* parent, const QString& text);
// An information box (information icon, OK button).
void ShowInformationMessage(QWidget* parent, const QString& text);
// A plain box without an icon (OK button).
void ShowPlainMessage(QWidget* parent, const QString& text);

// The buttons of a question, and the answer.
enum TMessageButton : int { mbOK = 1, mbCancel = 2, mbYes = 4, mbNo = 8 };
enum class TQuestionIcon { Warning, Question, Information };
// Asks with the given buttons (an or-ed set of TMessageButton); returns the button chosen. Closing the box
// without choosing answers Cancel when offered, else No, else OK.
TMessageButton AskQuestion(QWidget* parent, TQuestionIcon icon, const QString& text, int buttons);

// Tests install a sink that receives the texts instead; an empty function restores the boxes. Questions
// reach it too when no question sink is set, and are then answered with their first button (OK or Yes).
void SetMessageSink(std::function<void(const QString&)> sink);
// Tests answer questions through this sink (text, buttons) -> answer; an empty function removes it.
void SetQuestionSink(std::function<TMessageButton(const QString& text, int buttons)> sink);
