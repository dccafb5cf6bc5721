#pragma once
// A report as the program prints it: a layout loaded from its file, the program's
// adjustments, and its output to the preview, a printer or a PDF file.
//
//     reports::Report report(db, db.session());
//     report.setFolderFinder([&](const std::string&) { return dataFolder; });
//     report.setAfterLoad([](reports::Report& r) {
//         r.setLabelText("DATUMQRLABEL", QDate::currentDate().toString("dd.MM.yyyy"));
//     });
//     if (!report.load(path)) showError(report.errorText());
//     else if (!report.renderToPdf(target)) showError(report.errorText());
//
// No call throws: failures return false and leave a German text in errorText(). The
// call-backs may throw engine::EngineError (or any std::exception); the call that ran
// them then fails with that text.
#include "engine/database.h"
#include "reports/data/report_data.h"
#include "reports/format/layout_reader.h"
#include "reports/model/layout.h"
#include "reports/render/band_hooks.h"
#include "reports/render/display_list.h"

#include <QDate>
#include <QImage>
#include <QPagedPaintDevice>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace trevo::reports {

class Report {
public:
    using AfterLoad = std::function<void(Report&)>;

    Report(engine::Database& db, engine::Session& session);
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // Before loading: where the tables are, and what to adjust after each load.
    void setFolderFinder(FolderFinder finder) { folder_ = std::move(finder); }
    void setAfterLoad(AfterLoad call) { afterLoad_ = std::move(call); }

    // Loads the layout file (the file name matched without regard to case), then runs
    // the after-load call. On failure false, and errorText() says why; the report then
    // holds no layout. Calls registered with beforePrint() are dropped.
    bool load(const QString& path);
    bool loadBytes(const QByteArray& bytes, const QString& fileName);
    // A layout made by the program itself (then runs the after-load call as well).
    bool setLayout(Layout layout, const QString& name);
    bool loaded() const { return layout_.has_value(); }
    const QString& errorText() const { return error_; }
    const QString& fileName() const { return fileName_; }
    Layout& layout() { return *layout_; }

    QStringList description() const { return layout_ ? layout_->description : QStringList(); }
    int copies() const { return layout_ ? layout_->copies : 1; }
    void setCopies(int copies);

    // Adjustments. Names are matched without regard to case.
    Element* element(const QString& name);
    // The element of that name when it is of class T (LabelElement, FieldElement, ...).
    template <class T>
    T* find(const QString& name)
    {
        Element* e = element(name);
        return e ? e->as<T>() : nullptr;
    }
    QList<Element*> elements(ElementKind kind);
    Band* bandOf(const Element& e);
    bool setLabelText(const QString& name, const QString& text);
    // A plain multi-line text element on the band, with box, font, alignment, colour and
    // frame of `like`; its lines are empty until set.
    Element& addTextElement(Band& band, const QString& name, const Element& like);
    // The same on the band of the element named likeName; null when there is none.
    Element* addTextElementLike(const QString& likeName, const QString& name);
    // The field element prints nothing from then on.
    bool clearBinding(const QString& name);
    // A call made each time before the band prints (see BandPrint).
    void beforePrint(const Band& band, BeforePrint call) { hooks_.addBeforePrint(band, std::move(call)); }
    bool beforePrint(BandKind kind, BeforePrint call);
    void setPicture(const QString& name, const QImage& image) { hooks_.setPicture(name, image); }
    void setPrintDate(QDate date) { hooks_.printDate = date; }

    // Output. render() lays the pages out over the current data; renderToPdf() and
    // print() paint the pages of the last render() (rendering first when there are
    // none), so that preview and print show the same. Render again after changes.
    bool render();
    const Printout& printout() const { return printout_; }
    bool renderToPdf(const QString& path);
    // Paints every page on the device (a printer, a PDF writer): A4 in the layout's
    // orientation; a printer prints the whole paper and copies() times.
    bool print(QPagedPaintDevice& device);

private:
    bool finishLoad(LayoutReadResult read, const QString& fileName);
    bool fail(const QString& text);
    template <class F>
    bool guarded(const QString& what, F&& f);

    engine::Database& db_;
    engine::Session& session_;
    FolderFinder folder_;
    AfterLoad afterLoad_;
    std::optional<Layout> layout_;
    RenderHooks hooks_;
    Printout printout_;
    bool rendered_ = false;
    QString fileName_;
    QString error_;
};

} // namespace trevo::reports
