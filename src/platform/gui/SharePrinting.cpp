#include "platform/gui/ShareActions.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPdfDocument>
#include <QPrinter>
#include <QTextDocument>
#include <algorithm>
#include <memory>
#include <vector>

// Printing for the share sheet: everything is read before the job starts, so an unreadable item
// fails before any paper is used.
namespace ShareActions {

namespace {

// PDF pages are drawn as pictures; beyond this the pictures only grow, not the print.
constexpr int pdfRenderDpi = 200;

struct PrintPiece
{
    QString text;
    QImage picture;
    std::unique_ptr<QPdfDocument> pdf;
};

Result<void> preparePiece(const ShareItem& item, PrintPiece* piece)
{
    switch (item.kind()) {
    case ShareItem::Kind::Text:
        piece->text = item.text();
        return {};
    case ShareItem::Kind::Address:
        piece->text = item.address().toString(QUrl::FullyEncoded);
        return {};
    case ShareItem::Kind::Picture:
        piece->picture = item.picture();
        if (piece->picture.isNull())
            return Failure{QCoreApplication::translate("ShareActions", "The picture is empty.")};
        return {};
    case ShareItem::Kind::File:
        break;
    }

    const QString path = item.fileUrl().toLocalFile();
    const QString shown = QDir::toNativeSeparators(path);
    switch (item.fileUrl().isLocalFile() ? fileContent(path) : FileContent::Other) {
    case FileContent::Text: {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return Failure{QCoreApplication::translate("ShareActions", "%1 could not be read: %2")
                               .arg(shown, file.errorString())};
        piece->text = QString::fromUtf8(file.readAll());
        return {};
    }
    case FileContent::Picture: {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        piece->picture = reader.read();
        if (piece->picture.isNull())
            return Failure{QCoreApplication::translate("ShareActions", "%1 could not be read: %2")
                               .arg(shown, reader.errorString())};
        return {};
    }
    case FileContent::Pdf: {
        piece->pdf = std::make_unique<QPdfDocument>();
        if (piece->pdf->load(path) != QPdfDocument::Error::None || piece->pdf->pageCount() == 0)
            return Failure{QCoreApplication::translate("ShareActions",
                                                       "%1 is not a PDF document that can be read.")
                               .arg(shown)};
        return {};
    }
    case FileContent::Other:
        break;
    }
    return Failure{QCoreApplication::translate("ShareActions", "%1 cannot be printed.").arg(shown)};
}

void drawFitted(QPainter& painter, const QRectF& page, const QImage& image)
{
    const QSizeF size = QSizeF(image.size()).scaled(page.size(), Qt::KeepAspectRatio);
    const QRectF target(page.x() + (page.width() - size.width()) / 2, page.y(), size.width(),
                        size.height());
    painter.drawImage(target, image);
}

class Job
{
public:
    Job(QPrinter& printer, QPainter& painter, const QRectF& page)
        : m_printer(printer), m_painter(painter), m_page(page)
    {}

    bool startPage()
    {
        if (m_first) {
            m_first = false;
            return true;
        }
        return m_printer.newPage();
    }

    bool text(const QString& text)
    {
        QTextDocument document;
        document.setPlainText(text);
        // The printer's page margins already frame the text.
        document.setDocumentMargin(0);
        // Laid out in the printer's own resolution, so the type has its size in points on paper.
        document.documentLayout()->setPaintDevice(&m_printer);
        document.setPageSize(m_page.size());
        const qreal height = m_page.height();
        for (int page = 0; page < document.pageCount(); ++page) {
            if (!startPage())
                return false;
            m_painter.save();
            m_painter.translate(0, -page * height);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = QRectF(0, page * height, m_page.width(), height);
            m_painter.setClipRect(context.clip);
            document.documentLayout()->draw(&m_painter, context);
            m_painter.restore();
        }
        return true;
    }

    bool picture(const QImage& picture)
    {
        if (!startPage())
            return false;
        drawFitted(m_painter, m_page, picture);
        return true;
    }

    bool pdf(QPdfDocument& document)
    {
        const int dpi = std::min(m_printer.resolution(), pdfRenderDpi);
        for (int page = 0; page < document.pageCount(); ++page) {
            const QSize size = (document.pagePointSize(page) * dpi / 72.0).toSize();
            const QImage image = document.render(page, size);
            if (image.isNull() || !startPage())
                return false;
            drawFitted(m_painter, m_page, image);
        }
        return true;
    }

private:
    QPrinter& m_printer;
    QPainter& m_painter;
    QRectF m_page;
    bool m_first = true;
};

} // namespace

bool canPrint(const ShareItem& item)
{
    switch (item.kind()) {
    case ShareItem::Kind::Text:
    case ShareItem::Kind::Picture:
    case ShareItem::Kind::Address:
        return true;
    case ShareItem::Kind::File:
        break;
    }
    return item.fileUrl().isLocalFile() &&
           fileContent(item.fileUrl().toLocalFile()) != FileContent::Other;
}

Result<void> print(const QList<ShareItem>& items, QPrinter& printer)
{
    std::vector<PrintPiece> pieces(items.size());
    for (qsizetype i = 0; i < items.size(); ++i)
        if (Result<void> prepared = preparePiece(items[i], &pieces[i]); !prepared)
            return prepared;

    QPainter painter;
    if (!painter.begin(&printer))
        return Failure{
            QCoreApplication::translate("ShareActions", "The printer could not be started.")};
    const QRectF page(QPointF(0, 0),
                      printer.pageLayout().paintRectPixels(printer.resolution()).size());
    Job job(printer, painter, page);
    for (const PrintPiece& piece : pieces) {
        const bool printed = piece.pdf                 ? job.pdf(*piece.pdf)
                             : !piece.picture.isNull() ? job.picture(piece.picture)
                                                       : job.text(piece.text);
        if (!printed) {
            printer.abort();
            return Failure{
                QCoreApplication::translate("ShareActions", "Printing stopped part way through.")};
        }
    }
    if (!painter.end())
        return Failure{
            QCoreApplication::translate("ShareActions", "The print job could not be finished.")};
    return {};
}

} // namespace ShareActions
