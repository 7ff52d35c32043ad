#include "platform/gui/Camera.h"

#include <QCamera>
#include <QCameraDevice>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QImageCapture>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLibrary>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QPluginLoader>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVideoWidget>
#include <memory>

namespace {

struct MediaPlugin
{
    QString key;
    QString file;
};

// The multimedia plugins Qt finds, in the order it finds them: library paths in order, files by
// name within each.
QList<MediaPlugin> mediaPlugins()
{
    const QString interfaceId = QStringLiteral("org.qt-project.Qt.QPlatformMediaPlugin");
    QList<MediaPlugin> plugins;
    for (const QString& libraryPath : QCoreApplication::libraryPaths()) {
        const QDir folder(libraryPath + QStringLiteral("/multimedia"));
        for (const QFileInfo& file : folder.entryInfoList(QDir::Files, QDir::Name)) {
            if (!QLibrary::isLibrary(file.fileName()))
                continue;
            const QJsonObject metaData = QPluginLoader(file.absoluteFilePath()).metaData();
            if (metaData.value(QStringLiteral("IID")).toString() != interfaceId)
                continue;
            const QJsonArray keys = metaData.value(QStringLiteral("MetaData"))
                                        .toObject()
                                        .value(QStringLiteral("Keys"))
                                        .toArray();
            for (const auto key : keys)
                plugins.append({key.toString(), file.absoluteFilePath()});
        }
    }
    return plugins;
}

// Chooses as Qt 6.4 does: QT_MEDIA_BACKEND, else the first found, passing over ffmpeg when there
// is another.
bool chosenBackendLoads()
{
    const QList<MediaPlugin> plugins = mediaPlugins();
    QString chosen = qEnvironmentVariable("QT_MEDIA_BACKEND");
    if (chosen.isEmpty() && !plugins.isEmpty()) {
        chosen = plugins.first().key;
        if (chosen == QStringLiteral("ffmpeg") && plugins.size() > 1)
            chosen = plugins.at(1).key;
    }
    for (const MediaPlugin& plugin : plugins) {
        if (plugin.key != chosen)
            continue;
        // Qt uses the first plugin with the key; a library that cannot be loaded (missing
        // GStreamer or FFmpeg libraries) is what makes it give up.
        QPluginLoader loader(plugin.file);
        return loader.instance() != nullptr;
    }
    return false;
}

qint64 area(const QSize& size)
{
    return qint64(size.width()) * size.height();
}

// The sharpest picture the camera offers: a stamp's perforations and print need every pixel, and
// the preview's frame rate matters little.
QCameraFormat largestFormat(const QCameraDevice& device)
{
    QCameraFormat best;
    for (const QCameraFormat& format : device.videoFormats()) {
        if (best.isNull() || area(format.resolution()) > area(best.resolution()) ||
            (area(format.resolution()) == area(best.resolution()) &&
             format.maxFrameRate() > best.maxFrameRate()))
            best = format;
    }
    return best;
}

class CameraDialog final : public QDialog
{
    Q_DISABLE_COPY_MOVE(CameraDialog)

public:
    CameraDialog(QWidget* parent, std::function<void(const QImage&)> done)
        : QDialog(parent), m_done(std::move(done))
    {
        setObjectName(QStringLiteral("cameraDialog"));
        setWindowTitle(QCoreApplication::translate("Camera", "Take Picture"));
        setAttribute(Qt::WA_DeleteOnClose);

        auto* layout = new QVBoxLayout(this);
        m_choice = new QComboBox(this);
        m_choice->setObjectName(QStringLiteral("cameraChoice"));
        m_choice->hide();
        layout->addWidget(m_choice);
        m_message = new QLabel(this);
        m_message->setObjectName(QStringLiteral("cameraMessage"));
        m_message->setWordWrap(true);
        m_message->hide();
        layout->addWidget(m_message);

        auto* buttons = new QDialogButtonBox(this);
        m_take = buttons->addButton(QCoreApplication::translate("Camera", "Take Picture"),
                                    QDialogButtonBox::AcceptRole);
        m_take->setObjectName(QStringLiteral("takePictureButton"));
        m_take->setEnabled(false);
        QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
        cancel->setObjectName(QStringLiteral("cancelButton"));
        layout->addWidget(buttons);
        // The button box's accepted signal is not used: Take Picture closes the dialog only once
        // the picture has arrived.
        connect(m_take, &QPushButton::clicked, this, &CameraDialog::takePicture);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        connect(this, &QDialog::finished, this, [this] {
            if (m_camera)
                m_camera->stop();
            deliver(QImage());
        });

        if (!QtCamera::hasMultimediaBackend()) {
            showProblem(QCoreApplication::translate(
                "Camera", "Pictures cannot be taken on this computer: Qt "
                          "Multimedia could not load its GStreamer or FFmpeg "
                          "support."));
            return;
        }
        m_devices = QMediaDevices::videoInputs();
        if (m_devices.isEmpty()) {
            showProblem(
                QCoreApplication::translate("Camera", "No camera was found on this computer."));
            return;
        }
        startSession();
    }

private:
    void startSession()
    {
        // Made only here: even an idle preview asks Qt Multimedia for its backend.
        m_preview = new QVideoWidget(this);
        m_preview->setObjectName(QStringLiteral("cameraPreview"));
        m_preview->setMinimumSize(320, 240);
        static_cast<QVBoxLayout*>(layout())->insertWidget(1, m_preview, 1);
        m_capture = std::make_unique<QImageCapture>();
        m_session = std::make_unique<QMediaCaptureSession>();
        m_session->setImageCapture(m_capture.get());
        m_session->setVideoOutput(m_preview);
        connect(m_capture.get(), &QImageCapture::readyForCaptureChanged, this,
                &CameraDialog::updateTakeButton);
        connect(m_capture.get(), &QImageCapture::imageCaptured, this,
                [this](int, const QImage& picture) { pictureArrived(picture); });
        connect(m_capture.get(), &QImageCapture::errorOccurred, this,
                [this](int, QImageCapture::Error, const QString& text) {
                    showProblem(
                        QCoreApplication::translate("Camera", "The picture could not be taken: %1")
                            .arg(text));
                    m_waitingForPicture = false;
                    updateTakeButton();
                });

        const QCameraDevice preferred = QMediaDevices::defaultVideoInput();
        int current = 0;
        for (int i = 0; i < m_devices.size(); ++i) {
            m_choice->addItem(m_devices.at(i).description());
            if (m_devices.at(i) == preferred)
                current = i;
        }
        m_choice->setCurrentIndex(current);
        m_choice->setVisible(m_devices.size() > 1);
        connect(m_choice, &QComboBox::currentIndexChanged, this, &CameraDialog::useCamera);
        useCamera(current);
    }

    void useCamera(int index)
    {
        if (index < 0 || index >= m_devices.size())
            return;
        showProblem(QString());
        m_waitingForPicture = false;
        m_session->setCamera(nullptr);
        const QCameraDevice& device = m_devices.at(index);
        m_camera = std::make_unique<QCamera>(device);
        const QCameraFormat format = largestFormat(device);
        if (!format.isNull())
            m_camera->setCameraFormat(format);
        connect(m_camera.get(), &QCamera::errorOccurred, this,
                [this](QCamera::Error, const QString& text) {
                    showProblem(
                        QCoreApplication::translate("Camera", "The camera cannot be used: %1")
                            .arg(text));
                });
        m_session->setCamera(m_camera.get());
        m_camera->start();
        updateTakeButton();
    }

    void takePicture()
    {
        if (!m_capture || !m_capture->isReadyForCapture() || m_waitingForPicture)
            return;
        showProblem(QString());
        m_waitingForPicture = true;
        updateTakeButton();
        // A refusal comes back through errorOccurred.
        m_capture->capture();
    }

    void pictureArrived(const QImage& picture)
    {
        m_waitingForPicture = false;
        if (picture.isNull()) {
            showProblem(QCoreApplication::translate(
                "Camera", "The camera sent no picture. Please try again."));
            updateTakeButton();
            return;
        }
        deliver(picture);
        accept();
    }

    void updateTakeButton()
    {
        m_take->setEnabled(m_capture && m_capture->isReadyForCapture() && !m_waitingForPicture);
    }

    void showProblem(const QString& text)
    {
        m_message->setText(text);
        m_message->setVisible(!text.isEmpty());
    }

    void deliver(const QImage& picture)
    {
        if (m_delivered)
            return;
        m_delivered = true;
        if (m_done)
            m_done(picture);
    }

    std::function<void(const QImage&)> m_done;
    bool m_delivered = false;
    bool m_waitingForPicture = false;
    QList<QCameraDevice> m_devices;
    QComboBox* m_choice = nullptr;
    QVideoWidget* m_preview = nullptr;
    QLabel* m_message = nullptr;
    QPushButton* m_take = nullptr;
    // Members go before the child widgets, so the session lets go of the preview first; it is
    // declared last so that it also goes before the camera and the capture it refers to.
    std::unique_ptr<QCamera> m_camera;
    std::unique_ptr<QImageCapture> m_capture;
    std::unique_ptr<QMediaCaptureSession> m_session;
};

} // namespace

bool QtCamera::hasMultimediaBackend()
{
    static const bool loads = chosenBackendLoads();
    return loads;
}

bool QtCamera::isAvailable() const
{
    return hasMultimediaBackend() && !QMediaDevices::videoInputs().isEmpty();
}

void QtCamera::capture(QWidget* parent, std::function<void(const QImage&)> done)
{
    openDialog(parent, std::move(done));
}

QDialog* QtCamera::openDialog(QWidget* parent, std::function<void(const QImage&)> done)
{
    auto* dialog = new CameraDialog(parent, std::move(done));
    dialog->open();
    return dialog;
}
