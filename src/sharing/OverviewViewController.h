#pragma once

#include "platform/gui/ViewController.h"

#include <QString>
#include <memory>

class QFile;
class QLabel;
class QPdfDocument;
class QPdfView;
class QStackedLayout;
struct Environment;

// The overview document delivered with the application, shown page after page at the width of
// the window. When the document cannot be shown, the screen says why in its place.
class OverviewViewController final : public ViewController
{
    Q_OBJECT

public:
    // Where the document delivered with the application is: built into the executable.
    static const QString DocumentLocation;

    // The overview reads nothing of the collection; it takes the environment as every screen
    // of the main menu does.
    explicit OverviewViewController(Environment& environment, QObject* parent = nullptr);
    // The document at documentLocation (a file path or a resource path) instead.
    OverviewViewController(Environment& environment, const QString& documentLocation,
                           QObject* parent = nullptr);
    ~OverviewViewController() override;

    // Stands where the document would be when it cannot be shown, and says why.
    QLabel* TextView = nullptr;
    QPdfView* PdfView = nullptr;
    // The document shown, owned by the screen; null until the view is loaded.
    QPdfDocument* document() const { return m_document.get(); }
    // Why the document is not shown; empty when it is.
    QString documentError() const { return m_documentError; }

    // Opens the PDF at location into document, which reads it from file for as long as it is
    // shown (so file must live as long as the document). Returns why it cannot be shown, or an
    // empty text when it has pages.
    static QString openDocument(const QString& location, QFile& file, QPdfDocument& document);

    void viewDidLoad() override;

protected:
    void buildView(QWidget* view) override;

private:
    QString m_documentLocation;
    // The document reads from the file: declared after it, it goes first.
    std::unique_ptr<QFile> m_file;
    std::unique_ptr<QPdfDocument> m_document;
    QStackedLayout* m_pages = nullptr;
    QString m_documentError;
};
