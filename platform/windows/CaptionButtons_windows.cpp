#include "platform/CaptionButtons.h"

// Windows draws exactly the caption buttons that Qt's window flags ask for.
void AskForCaptionButtons(QWidget*, TvxCaptionButtons) {}
