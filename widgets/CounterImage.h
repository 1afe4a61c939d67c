#pragma once
// The seconds counter: the total count painted white on the dark panel.
// It keeps only the number and paints on demand, so a hidden window costs
// no drawing at all.

#include <QFont>
#include <QImage>
#include <QWidget>
#include <cstdint>

class TvxCounterImage : public QWidget {
    Q_OBJECT
public:
    // The counter's face unless told otherwise: Look::CounterFont().
    explicit TvxCounterImage(QWidget* parent = nullptr);
    void SetCount(uint32_t count);
    uint32_t Count() const { return m_count; }
    // Another face, for a desktop that lacks the usual ones (and for tests).
    void SetCounterFont(const QFont& font);
    // The bitmap as the clock paints it: ARGB FF3D5553, the count in white
    // with its top edge at y = 0, starting at x = 150 - 10 x its length.
    // A face wider than that estimate is narrowed to end inside the bitmap
    // instead of losing its last digits. At a scale factor above 1 the
    // bitmap has the screen's pixel density.
    QImage Render() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    uint32_t m_count = 0;
    bool m_painted = false;
    QFont m_font; // resolved once: the counter is drawn every second
};
