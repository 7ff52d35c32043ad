#pragma once

#include "platform/gui/MailComposer.h"
#include "platform/gui/ShareSheet.h"

#include <QList>
#include <QString>
#include <QUrl>

class QClipboard;
class QPrinter;

// What the share sheet's dialog offers, in the order of its buttons.
enum class ShareAction
{
    Save,
    Copy,
    Mail,
    Open,
    Print,
};

// The work behind the share sheet's buttons, usable without the dialog. Each returns false with an
// error text for the collector when it could not be done.
namespace ShareActions {

// Not excluded by the request and sensible for its items; nothing for a request without items.
QList<ShareAction> offered(const ShareRequest& request);

// A name for the save dialog: "Text.txt", "Picture.jpg", "Address.txt", or the file's own name.
QString suggestedFileName(const ShareItem& item);

// A text or a web address as UTF-8; a picture as PNG when the path ends in .png, JPEG otherwise;
// a file copied.
// The destination is replaced only once the whole content is written.
bool save(const ShareItem& item, const QString& path, QString* error);

// Texts (and the content of text files and the web addresses) as one text, the first picture, and
// the files' and web addresses as links.
bool copy(const QList<ShareItem>& items, QClipboard& clipboard, QString* error);

// Texts and web addresses as the body, pictures (JPEG) and files as attachments.
bool buildMail(const QList<ShareItem>& items, MailMessage* message, QString* error);

// An address the desktop can open: a web address itself, a local file, or a text or picture
// written to a file first.
QUrl openableUrl(const ShareItem& item, QString* error);

// What a local file holds, judged by its content and name.
enum class FileContent
{
    Text,
    Picture,
    Pdf,
    Other,
};
FileContent fileContent(const QString& path);

// A text, a web address, a picture, a PDF, a picture file or a text file.
bool canPrint(const ShareItem& item);
// All items in one job, each starting on a new page.
bool print(const QList<ShareItem>& items, QPrinter& printer, QString* error);

} // namespace ShareActions
