#include "sharing/OverviewViewController.h"

#include "platform/core/Console.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfView>
#include <QStackedLayout>

const QString OverviewViewController::DocumentLocation = QStringLiteral(":/overview/overview.pdf");

OverviewViewController::OverviewViewController(Environment& environment, QObject* parent)
    : OverviewViewController(environment, DocumentLocation, parent)
{}

OverviewViewController::OverviewViewController(Environment& environment,
                                               const QString& documentLocation, QObject* parent)
    : ViewController(QStringLiteral("OverviewViewController"), parent),
      m_documentLocation(documentLocation)
{
    Q_UNUSED(environment)
    setTitle(tr("Vellora Overview"));
}

OverviewViewController::~OverviewViewController()
{
    // The view outlives this class's members (the base deletes it): it lets go of the document
    // first.
    if (isViewLoaded())
        PdfView->setDocument(nullptr);
}

QString OverviewViewController::openDocument(const QString& location, QFile& file,
                                             QPdfDocument& document)
{
    const QString shown = QDir::toNativeSeparators(location);
    if (!QFileInfo::exists(location))
        return tr("The overview document could not be found. It should be at %1; installing "
                  "Vellora again puts it back.")
            .arg(shown);
    file.setFileName(location);
    if (!file.open(QIODevice::ReadOnly))
        return tr("The overview document %1 could not be read: %2").arg(shown, file.errorString());
    document.load(&file);
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() < 1)
        return tr("The overview document %1 is damaged and cannot be shown.").arg(shown);
    return {};
}

void OverviewViewController::buildView(QWidget* view)
{
    m_pages = new QStackedLayout(view);

    PdfView = new QPdfView(view);
    PdfView->setObjectName(QStringLiteral("PdfView"));
    // Page after page at the width of the window, as a long document is read.
    PdfView->setPageMode(QPdfView::PageMode::MultiPage);
    PdfView->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_pages->addWidget(PdfView);

    TextView = new QLabel(view);
    TextView->setObjectName(QStringLiteral("TextView"));
    TextView->setAlignment(Qt::AlignCenter);
    TextView->setWordWrap(true);
    TextView->setMargin(24);
    TextView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_pages->addWidget(TextView);
}

void OverviewViewController::viewDidLoad()
{
    m_file = std::make_unique<QFile>();
    m_document = std::make_unique<QPdfDocument>();
    m_documentError = openDocument(m_documentLocation, *m_file, *m_document);
    if (!m_documentError.isEmpty()) {
        Console::printLine(m_documentError);
        TextView->setText(m_documentError);
        m_pages->setCurrentWidget(TextView);
        return;
    }
    PdfView->setDocument(m_document.get());
    m_pages->setCurrentWidget(PdfView);
    // The arrow and page keys scroll the document at once.
    PdfView->setFocus();
}
