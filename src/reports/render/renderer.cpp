#include "reports/render/renderer.h"

#include "engine/core/error.h"
#include "reports/render/band_layout.h"
#include "reports/render/band_split.h"
#include "reports/render/print_context.h"
#include "reports/render/totals.h"

namespace trevo::reports {
namespace {

constexpr double eps = 1e-6;
constexpr double minBodyMm = 1;

class Renderer {
public:
    Renderer(Layout& layout, ReportData& data, const RenderHooks& hooks) : layout_(layout), data_(data), hooks_(hooks) {}

    Printout run()
    {
        data_.open(layout_);
        totals_.prepare(layout_, data_);
        out_.copies = layout_.copies;
        startPage();
        if (Band* title = layout_.band(BandKind::Title)) print(*title);
        details();
        if (Band* summary = layout_.band(BandKind::Summary)) print(*summary);
        endPage();
        fillPageCount();
        return std::move(out_);
    }

private:
    PrintContext context(bool group) { return {data_, totals_, hooks_, pictures_, static_cast<int>(out_.pages.size()), group}; }
    double footerTop() const
    {
        const Band* footer = layout_.band(BandKind::PageFooter);
        return layout_.page.sizeMm().height() - layout_.page.bottomMm - (footer ? footer->heightMm : 0);
    }

    bool callHooks(Band& band)
    {
        const std::vector<BeforePrint>* calls = hooks_.beforePrint(band);
        if (!calls) return true;
        BandPrint print(band, data_, static_cast<int>(out_.pages.size()));
        for (const BeforePrint& call : *calls) call(print);
        return !print.skipped();
    }

    void put(BandOutput& band)
    {
        Page& page = out_.pages.back();
        for (PageItem& item : band.items) {
            moveItem(item, QPointF(layout_.page.leftMm, y_));
            page.items.push_back(std::move(item));
        }
        y_ += band.heightMm;
    }

    // Page header, page footer and the repeated column header: placed where they belong.
    void placeFixed(BandKind kind)
    {
        Band* band = layout_.band(kind);
        if (!band || !callHooks(*band)) return;
        BandOutput out = layoutBand(*band, context(false));
        put(out);
    }

    void startPage()
    {
        if (out_.pages.size() >= static_cast<size_t>(maxPages))
            throw engine::EngineError("Der Bericht hätte mehr als " + std::to_string(maxPages) + " Seiten.");
        out_.pages.push_back(Page{layout_.page.sizeMm(), layout_.page.landscape, {}});
        y_ = layout_.page.topMm;
        placeFixed(BandKind::PageHeader);
        if (inDetail_) placeFixed(BandKind::ColumnHeader);
        bodyStart_ = y_;
        if (footerTop() - y_ < minBodyMm)
            throw engine::EngineError("Kopf- und Fußbereiche lassen auf der Seite keinen Platz für den Bericht.");
    }

    void endPage()
    {
        y_ = footerTop();
        placeFixed(BandKind::PageFooter);
    }

    void nextPage()
    {
        endPage();
        startPage();
    }

    // keepWithMm: room that must remain below the band (for the row after a group header).
    void print(Band& band, bool group = false, double keepWithMm = 0)
    {
        if (!callHooks(band)) return;
        BandOutput out = layoutBand(band, context(group));
        if (y_ + out.heightMm + keepWithMm > footerTop() + eps && y_ > bodyStart_ + eps) {
            nextPage();
            out = layoutBand(band, context(group)); // page numbers have changed
        }
        while (y_ + out.heightMm > footerTop() + eps) {
            BandOutput rest = splitAt(out, cutAbove(out, footerTop() - y_));
            put(out);
            nextPage();
            out = std::move(rest);
        }
        put(out);
    }

    void details();
    bool groupChanges(engine::TableDataSet& set, size_t a, size_t b, int field) const
    {
        return !(set.rowValue(a, field) == set.rowValue(b, field));
    }

    void fillPageCount()
    {
        const QString count = QString::number(out_.pages.size());
        for (Page& page : out_.pages)
            for (PageItem& item : page.items)
                if (auto* run = std::get_if<TextRun>(&item)) run->text.replace(pageCountMark, count);
    }

    Layout& layout_;
    ReportData& data_;
    const RenderHooks& hooks_;
    Totals totals_;
    std::map<const Element*, DecodedPicture> pictures_;
    Printout out_;
    double y_ = 0, bodyStart_ = 0;
    bool inDetail_ = false;
};

void Renderer::details()
{
    Band* detail = layout_.band(BandKind::Detail);
    if (!detail) return;
    engine::TableDataSet* set = data_.dataSet(detail->source);
    if (!set) throw engine::EngineError("Die Datenquelle " + detail->source.toStdString() + " ist nicht geöffnet.");
    Band* header = layout_.band(BandKind::GroupHeader);
    Band* footer = header ? layout_.band(BandKind::GroupFooter) : nullptr;
    const int groupField = header ? data_.fieldIndex(detail->source, header->groupField) : -1;
    inDetail_ = true;
    if (const Band* columns = layout_.band(BandKind::ColumnHeader)) {
        // A new page brings the column header along.
        if (y_ + columns->heightMm + detail->heightMm > footerTop() + eps && y_ > bodyStart_ + eps) nextPage();
        else placeFixed(BandKind::ColumnHeader);
    }
    const size_t rows = set->recordCount();
    for (size_t row = 0; row < rows; ++row) {
        if (row == 0 ? !set->first() : !set->next()) break;
        if (header && (row == 0 || groupChanges(*set, row - 1, row, groupField))) {
            totals_.startGroup();
            print(*header, true, detail->heightMm);
        }
        totals_.addDetailRow(data_);
        print(*detail);
        if (footer && (row + 1 == rows || groupChanges(*set, row, row + 1, groupField))) print(*footer, true);
    }
    inDetail_ = false;
}

} // namespace

Printout renderReport(Layout& layout, ReportData& data, const RenderHooks& hooks)
{
    return Renderer(layout, data, hooks).run();
}

} // namespace trevo::reports
