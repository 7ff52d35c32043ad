#pragma once

#include <QImage>
#include <QList>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <variant>

class MailComposer;
class UrlOpener;
class QDialog;

// The kinds of hand-over a screen may exclude. Only some have a counterpart here (see ShareAction).
enum class ActivityType
{
    AirDrop,
    AddToReadingList,
    Mail,
    Message,
    PostToFacebook,
    PostToTwitter,
    MarkupAsPDF,
    CopyToPasteboard,
    Print,
    SaveToFiles,
    OpenInApplication,
};

// A web address handed on as an address: the browser opens it, the clipboard holds it as a link.
struct WebAddress
{
    QUrl url;

    bool operator==(const WebAddress&) const = default;
};

// One thing to hand on: a text, a picture, a local file or a web address.
struct ShareItem
{
    enum class Kind
    {
        Text,
        Picture,
        File,
        Address,
    };

    static ShareItem fromText(const QString& text) { return {text}; }
    static ShareItem fromPicture(const QImage& picture) { return {picture}; }
    static ShareItem fromFile(const QUrl& localFile) { return {localFile}; }
    static ShareItem fromAddress(const QUrl& webAddress) { return {WebAddress{webAddress}}; }

    Kind kind() const { return static_cast<Kind>(content.index()); }
    QString text() const;
    QImage picture() const;
    QUrl fileUrl() const;
    QUrl address() const;

    bool operator==(const ShareItem&) const = default;

    // In the order of Kind.
    std::variant<QString, QImage, QUrl, WebAddress> content;
};

struct ShareRequest
{
    QList<ShareItem> items;
    QList<ActivityType> excludedActivityTypes;
    QWidget* sourceView = nullptr;
};

// Hands content on to the collector's other applications.
class ShareSheet
{
public:
    virtual ~ShareSheet() = default;

    virtual void present(const ShareRequest& request) = 0;
};

// A dialog listing the items, with a button for each hand-over that the request allows and that
// makes sense for its items (see ShareActions::offered).
class DialogShareSheet final : public ShareSheet
{
public:
    // mail and urls must outlive every dialog shown; defaultParent is used when a request names no
    // view.
    DialogShareSheet(MailComposer& mail, UrlOpener& urls, QWidget* defaultParent = nullptr);

    // Shows the dialog window-modal and returns at once; a request without items is refused on
    // the console.
    void present(const ShareRequest& request) override;

    // The dialog present() shows, not yet shown: owned by parent, or by the caller without one.
    QDialog* createDialog(const ShareRequest& request, QWidget* parent) const;

private:
    MailComposer& m_mail;
    UrlOpener& m_urls;
    QPointer<QWidget> m_defaultParent;
};
