#pragma once
// One page of a laid-out report on the screen, painted by the same painter as the
// printer and the PDF file: white paper of the page's size at the screen's resolution,
// times the zoom.
#include "reports/render/display_list.h"

#include <QWidget>

namespace trevo::reports {

class PreviewPage : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPage(const Printout& printout, QWidget* parent = nullptr);

    // Shows page `index` (from 0) at `zoom` (1 = true size); sizes the widget to it.
    void showPage(int index, double zoom);
    int index() const { return index_; }
    double zoom() const { return zoom_; }
    // The paper size in pixels at zoom 1.
    QSizeF paperPixels() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Printout& printout_;
    int index_ = 0;
    double zoom_ = 1;
};

} // namespace trevo::reports
