#include "printing/PlainTextRenderer.h"

#include "printing/PrintMarkup.h"

namespace nerin {

namespace {

class PlainSink : public PrintMarkup::Sink {
public:
    explicit PlainSink(QString& out) : m_out(out) {}
    void text(QStringView text) override { m_out.append(text); }
    void lineBreak() override { m_out.append(u'\n'); }
    void style(bool, PrintMarkup::Size) override {}

private:
    QString& m_out;
};

} // namespace

QString PlainTextRenderer::render(const QStringList& lines) {
    QString out;
    PlainSink sink(out);
    PrintMarkup::walk(lines, sink);
    return out;
}

} // namespace nerin
