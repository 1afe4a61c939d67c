#pragma once
// The base of every modal window of the program. It speaks in modal results
// (0 none, 1 OK, 2 Cancel) rather than in accept and reject, keeps Enter and
// Esc from ending the dialog behind the user's back, and gives every dialog
// the shared look: the base font, the light background, centred on the screen
// with its frame. A dialog never gets lost by a minimise: it comes straight
// back.

#include <QDialog>
#include <QMargins>

class TvxModalDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int mrNone = 0;
    static constexpr int mrOk = 1;
    static constexpr int mrCancel = 2;

    enum class TvxFrame {
        // A thin caption without any caption button: the dialog's own
        // buttons are the only way out.
        ToolWindow,
        // A fixed dialog frame whose caption has a close box only.
        Dialog,
        // A frame the user can resize, with the usual caption buttons.
        Sizeable,
    };

    explicit TvxModalDialog(QWidget* parent = nullptr, TvxFrame frame = TvxFrame::Dialog);

    // Shows the dialog modally and returns its modal result once it closed.
    // Once the session has ended it shows nothing and answers mrNone, which
    // no flow takes for a confirmation.
    int ShowModal();

    // The program is ending (the quit command, logout, shutdown, a
    // termination signal): every open dialog ends as cancelled (Cancel of
    // the standard boxes), every event loop is left, and no further dialog
    // opens to wait for an answer nobody will give.
    static void EndSession();
    // Leaves every event loop that is running, the dialogs' too.
    static void LeaveEventLoops();
    // From now on no modal window of the application (the standard boxes
    // included) stays minimised while it waits for an answer, and none is
    // answered by the repeats of a key held down.
    static void GuardModals();
    // Brings a shown window to the front, out of a minimise if need be;
    // false when it is not shown at all.
    static bool BringBack(QWidget* window);
    static bool SessionEnded();
    // Tests start every case with a live session.
    static void SetSessionEnded(bool ended);

    int ModalResult() const { return result(); }
    // A non-zero result ends the dialog with that result; 0 only clears it.
    void SetModalResult(int modalResult);
    // Ends the dialog as its close box would: with Cancel.
    void Close() { SetModalResult(mrCancel); }

    TvxFrame Frame() const { return m_frame; }
    void SetFrame(TvxFrame frame);

    // The colour of the area inside the frame; the shared light one unless set.
    void SetBackground(const QColor& color);

    // Size of the area inside the frame. Fixed frames keep exactly this size.
    void SetClientSize(int width, int height);
    // Place and size of the whole window, frame included, on the screen. The
    // area inside is what the window manager's frame leaves of it; the
    // window is not centred.
    void SetOuterGeometry(const QRect& outer);

    // Centred on the screen when shown (the default), or left where placed.
    bool ScreenCentred() const { return m_screenCentred; }
    void SetScreenCentred(bool on) { m_screenCentred = on; }

    // Where the area inside the frame goes so that the whole window, frame
    // included, stands in the middle of the screen (integer halves).
    static QRect CentredGeometry(const QRect& screen, const QSize& client, const QMargins& frame);
    // The frame the window manager last drew around a dialog of this kind;
    // null before one was seen.
    static QMargins KnownFrame(TvxFrame frame);

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyFrame();
    QMargins ExpectedFrame() const;
    void Place(const QMargins& frame);
    void CheckFrame();
    void ComeBack();

    TvxFrame m_frame;
    bool m_screenCentred = true;
    QRect m_outer;          // designed outer geometry; null when not given
    QMargins m_placedWith;  // the frame assumed by the last placement
    bool m_placing = false; // shown, and the real frame not yet seen
};
