#pragma once
// The general error box: how a failure that a handler could not deal with
// (a file that could not be written, say) reaches the user. One box at a
// time; the program goes on after it.

#include "runtime/Errors.h"

#include <QString>
#include <functional>

class QWidget;

void ShowErrorBox(const QString& message, QWidget* parent = nullptr);
void ShowFileError(QWidget* parent, const EFileError& error);

// Tests replace the box; an empty function restores it.
using ErrorBoxHandler = std::function<void(const QString& message)>;
void SetErrorBoxHandler(ErrorBoxHandler handler);
