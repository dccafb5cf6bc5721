#include "reports/render/memo_text.h"

#include "engine/codepage/code_page.h"

#include <QTextDocument>

#include <vector>

namespace trevo::reports {
namespace {

constexpr int maxGroupDepth = 100;

struct GroupState {
    bool skip = false, bold = false, italic = false;
};

// Reads an RTF text once from left to right.
class RtfReader {
public:
    explicit RtfReader(const QString& rtf) : s_(rtf) {}

    QString run()
    {
        while (pos_ < s_.size()) {
            const QChar c = s_[pos_++];
            if (c == u'{') open();
            else if (c == u'}') close();
            else if (c == u'\\') control();
            else if (c != u'\r' && c != u'\n') put(QString(c));
        }
        flush();
        return html_;
    }

private:
    GroupState& state() { return stack_.back(); }

    void open()
    {
        if (stack_.size() >= maxGroupDepth) return;
        stack_.push_back(state());
        if (pos_ + 1 < s_.size() && s_[pos_] == u'\\' && s_[pos_ + 1] == u'*') state().skip = true;
    }
    void close()
    {
        if (stack_.size() > 1) stack_.pop_back();
    }

    // Text gathers in runs of one emphasis; a run is written when the emphasis changes.
    void put(const QString& text)
    {
        if (state().skip || text.isEmpty()) return;
        if (state().bold != runBold_ || state().italic != runItalic_) flush();
        runBold_ = state().bold;
        runItalic_ = state().italic;
        run_ += text;
    }

    void flush()
    {
        QString piece = run_.toHtmlEscaped();
        run_.clear();
        if (piece.isEmpty()) return;
        if (runItalic_) piece = QStringLiteral("<i>") + piece + QStringLiteral("</i>");
        if (runBold_) piece = QStringLiteral("<b>") + piece + QStringLiteral("</b>");
        html_ += piece;
    }

    void control()
    {
        if (pos_ >= s_.size()) return;
        const QChar c = s_[pos_];
        if (!c.isLetter()) return symbol(c);
        QString word;
        while (pos_ < s_.size() && s_[pos_].isLetter() && word.size() < 32) word += s_[pos_++];
        QString digits;
        if (pos_ < s_.size() && s_[pos_] == u'-') digits += s_[pos_++];
        while (pos_ < s_.size() && s_[pos_].isDigit() && digits.size() < 10) digits += s_[pos_++];
        if (pos_ < s_.size() && s_[pos_] == u' ') ++pos_;
        controlWord(word, digits);
    }

    void symbol(QChar c)
    {
        ++pos_;
        if (c == u'\'') return hexByte();
        if (c == u'\\' || c == u'{' || c == u'}') return put(QString(c));
        if (c == u'~') return put(QStringLiteral("\u00a0"));
        if (c == u'\n' || c == u'\r') return newLine();
    }

    void hexByte()
    {
        bool ok = false;
        const int byte = s_.mid(pos_, 2).toInt(&ok, 16);
        if (!ok) return;
        pos_ += 2;
        const std::string decoded = engine::codePageForDriver(0x57).decode(std::string(1, static_cast<char>(byte)));
        put(QString::fromStdString(decoded));
    }

    void newLine()
    {
        if (state().skip) return;
        flush();
        html_ += QStringLiteral("<br>");
    }

    void controlWord(const QString& w, const QString& digits)
    {
        static const QStringList skipped = {QStringLiteral("fonttbl"), QStringLiteral("colortbl"),
                                            QStringLiteral("stylesheet"), QStringLiteral("info"),
                                            QStringLiteral("pict"), QStringLiteral("header"),
                                            QStringLiteral("footer"), QStringLiteral("object")};
        const bool off = digits == u"0";
        if (skipped.contains(w)) state().skip = true;
        else if (w == u"par" || w == u"line") newLine();
        else if (w == u"tab") put(QStringLiteral("\t"));
        else if (w == u"b") state().bold = !off;
        else if (w == u"i") state().italic = !off;
        else if (w == u"plain") state().bold = state().italic = false;
        else if (w == u"u" && !digits.isEmpty() && digits != u"-") unicode(digits.toInt());
    }

    // \uN is followed by one replacement character for readers without Unicode.
    void unicode(int n)
    {
        put(QString(QChar(static_cast<char16_t>(n < 0 ? n + 65536 : n))));
        if (pos_ < s_.size() && s_[pos_] != u'\\' && s_[pos_] != u'{' && s_[pos_] != u'}') ++pos_;
    }

    const QString& s_;
    qsizetype pos_ = 0;
    std::vector<GroupState> stack_{GroupState{}};
    QString html_;
    QString run_;
    bool runBold_ = false, runItalic_ = false;
};

} // namespace

QString rtfToHtml(const QString& rtf)
{
    return RtfReader(rtf).run();
}

QString memoHtml(const QString& memo)
{
    if (memo.startsWith(QStringLiteral("{\\rtf"))) return rtfToHtml(memo);
    if (Qt::mightBeRichText(memo)) return memo;
    return Qt::convertFromPlainText(memo, Qt::WhiteSpaceNormal);
}

} // namespace trevo::reports
