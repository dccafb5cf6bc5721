#pragma once
// A button that shows a colour and lets the user choose another one.
#include <QColor>
#include <QPushButton>

#include <functional>

namespace trevo::reports::designer {

class FarbKnopf : public QPushButton {
    Q_OBJECT
public:
    // ohneFarbe: the button offers "keine" (an invalid colour), for fillings.
    explicit FarbKnopf(bool ohneFarbe = false, QWidget* parent = nullptr);

    QColor farbe() const { return farbe_; }
    void setFarbe(const QColor& farbe); // shows it without signalling
    // The colour dialog; tests replace it.
    std::function<QColor(const QColor& bisher, QWidget* parent)> waehlen;

signals:
    void farbeGewaehlt(const QColor& farbe);

private:
    void klick();
    QColor farbe_;
    bool ohneFarbe_;
};

} // namespace trevo::reports::designer
