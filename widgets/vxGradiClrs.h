#pragma once
// A colour set for gradient buttons. The colours live apart from the buttons
// so that every button of a window can share one set, and so that a set can
// hand over to another set while the mouse is over a button or while it has
// the keyboard focus.

#include <QColor>
#include <QObject>
#include <QPointer>
#include <array>

class TvxGradiColors : public QObject {
    Q_OBJECT
    Q_PROPERTY(QColor clrBegin READ clrBegin WRITE setClrBegin)
    Q_PROPERTY(QColor clrEnd READ clrEnd WRITE setClrEnd)
    Q_PROPERTY(QColor clrOutBright READ clrOutBright WRITE setClrOutBright)
    Q_PROPERTY(QColor clrOutShadow READ clrOutShadow WRITE setClrOutShadow)
    Q_PROPERTY(QColor clrOutBorder READ clrOutBorder WRITE setClrOutBorder)
    Q_PROPERTY(QColor clrMarkFace READ clrMarkFace WRITE setClrMarkFace)
    Q_PROPERTY(QColor clrMarkBorder READ clrMarkBorder WRITE setClrMarkBorder)
    Q_PROPERTY(QColor clrText READ clrText WRITE setClrText)
    Q_PROPERTY(QColor clrDefault READ clrDefault WRITE setClrDefault)
    Q_PROPERTY(QColor clrDown READ clrDown WRITE setClrDown)
    Q_PROPERTY(QColor clrDownText READ clrDownText WRITE setClrDownText)
    Q_PROPERTY(TvxGradiColors* ColorsMouseIn READ ColorsMouseIn WRITE SetColorsMouseIn)
    Q_PROPERTY(TvxGradiColors* ColorsFocus READ ColorsFocus WRITE SetColorsFocus)

public:
    // Indexes of the indexed colour accessors, in property order.
    enum ColorIndex {
        ciBegin = 0,
        ciEnd,
        ciOutBright,
        ciOutShadow,
        ciOutBorder,
        ciMarkFace,
        ciMarkBorder,
        ciText,
        ciDefault,
        ciDown,
        ciDownText,
        ColorCount
    };

    // The owner is the window that holds the set (and its buttons).
    explicit TvxGradiColors(QObject* owner = nullptr);

    QObject* Owner() const { return parent(); }

    // An index outside 0..10 reads as an invalid colour and is ignored when
    // written. Buttons are not told of a change: they show it at their next
    // repaint, so a window can retune a set before it is first shown at no cost.
    QColor GetColor(int index) const;
    void SetColor(int index, const QColor& value);

    static QColor DefaultColor(int index);

    QColor clrBegin() const { return GetColor(ciBegin); }
    QColor clrEnd() const { return GetColor(ciEnd); }
    QColor clrOutBright() const { return GetColor(ciOutBright); }
    QColor clrOutShadow() const { return GetColor(ciOutShadow); }
    QColor clrOutBorder() const { return GetColor(ciOutBorder); }
    QColor clrMarkFace() const { return GetColor(ciMarkFace); }
    QColor clrMarkBorder() const { return GetColor(ciMarkBorder); }
    QColor clrText() const { return GetColor(ciText); }
    QColor clrDefault() const { return GetColor(ciDefault); }
    QColor clrDown() const { return GetColor(ciDown); }
    QColor clrDownText() const { return GetColor(ciDownText); }

    void setClrBegin(const QColor& c) { SetColor(ciBegin, c); }
    void setClrEnd(const QColor& c) { SetColor(ciEnd, c); }
    void setClrOutBright(const QColor& c) { SetColor(ciOutBright, c); }
    void setClrOutShadow(const QColor& c) { SetColor(ciOutShadow, c); }
    void setClrOutBorder(const QColor& c) { SetColor(ciOutBorder, c); }
    void setClrMarkFace(const QColor& c) { SetColor(ciMarkFace, c); }
    void setClrMarkBorder(const QColor& c) { SetColor(ciMarkBorder, c); }
    void setClrText(const QColor& c) { SetColor(ciText, c); }
    void setClrDefault(const QColor& c) { SetColor(ciDefault, c); }
    void setClrDown(const QColor& c) { SetColor(ciDown, c); }
    void setClrDownText(const QColor& c) { SetColor(ciDownText, c); }

    // Guarded references: when the named set is destroyed they read as none.
    TvxGradiColors* ColorsMouseIn() const { return m_mouseIn.data(); }
    TvxGradiColors* ColorsFocus() const { return m_focus.data(); }
    void SetColorsMouseIn(TvxGradiColors* set) { m_mouseIn = set; }
    void SetColorsFocus(TvxGradiColors* set) { m_focus = set; }

private:
    std::array<QColor, ColorCount> m_colors;
    QPointer<TvxGradiColors> m_mouseIn;
    QPointer<TvxGradiColors> m_focus;
};
