#pragma once
// A one-line edit with an input mask that behaves like the platform's masked
// edit when it is entered from the keyboard: its whole text is selected, so
// typing replaces the figure instead of overwriting digits in place. A click
// past the text puts the caret where a digit can go.

#include <QLineEdit>

class TvxMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TvxMaskEdit(const QString& mask, QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
