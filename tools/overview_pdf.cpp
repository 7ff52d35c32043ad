// vellora_overview_pdf SOURCE.html OUTPUT.pdf
//
// Renders the overview document's HTML source into an A4 PDF file for the application to show.
// Sections start on a new page where the source asks for it (CSS page-break-before). Needs a Qt
// platform to measure fonts; the build runs it with QT_QPA_PLATFORM=offscreen.

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <cstdio>

namespace {

// With the 2 cm QTextDocument::print() keeps inside the page layout, 2.5 cm to the paper's edge
// and room for the page numbers it writes at the foot.
constexpr double PageMarginMillimetres = 5.0;
// Fine enough for print; the text is stored as text, so this only rounds positions.
constexpr int Resolution = 600;

int fail(const QString& message)
{
    std::fprintf(stderr, "vellora_overview_pdf: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3)
        return fail(QStringLiteral("usage: vellora_overview_pdf SOURCE.html OUTPUT.pdf"));
    const QString& sourcePath = arguments.at(1);
    const QString& outputPath = arguments.at(2);

    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return fail(
            QStringLiteral("%1 could not be read: %2").arg(sourcePath, source.errorString()));
    const QString html = QString::fromUtf8(source.readAll());

    // Written beside the output and renamed at the end, so a failed run leaves no half document
    // for the build to embed.
    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly))
        return fail(
            QStringLiteral("%1 could not be written: %2").arg(outputPath, output.errorString()));
    {
        QPdfWriter writer(&output);
        writer.setResolution(Resolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(PageMarginMillimetres, PageMarginMillimetres,
                                                   PageMarginMillimetres, PageMarginMillimetres),
                                         QPageLayout::Millimeter));
        writer.setCreator(QStringLiteral("Vellora"));

        QTextDocument document;
        // Liberation Serif stands in for Times where fonts-liberation is installed; any serif
        // face does.
        QFont body(QStringLiteral("Liberation Serif"));
        body.setStyleHint(QFont::Serif);
        body.setPointSizeF(11.5);
        document.setDefaultFont(body);
        document.setHtml(html);
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        if (document.isEmpty())
            return fail(QStringLiteral("%1 holds no text").arg(sourcePath));
        document.print(&writer);
    }
    if (!output.commit())
        return fail(
            QStringLiteral("%1 could not be written: %2").arg(outputPath, output.errorString()));
    return 0;
}
