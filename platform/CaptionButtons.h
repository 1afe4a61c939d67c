#pragma once
// Tells the window manager which caption buttons a window has. Qt asks for
// buttons through the Motif hints only when some button is wanted; a window
// that wants none would get every one the manager offers, and minimise,
// maximise or close would do nothing on a window that refuses them.

class QWidget;

enum class TvxCaptionButtons {
    None,     // a caption to move the window by, and no button
    CloseBox, // the close box and the window menu
};

// Called before the window is shown (again after its native window was made
// anew); does nothing where the platform has no such hints.
void AskForCaptionButtons(QWidget* window, TvxCaptionButtons buttons);
