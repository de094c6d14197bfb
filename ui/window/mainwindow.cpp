#include "ui/window/mainwindow.h"

#include "core/picturestore.h"
#include "device/kadevice.h"
#include "ui/list/imagelistwidget.h"
#include "ui/list/imagerowdelegate.h"
#include "ui/session/storedtransfer.h"
#include "ui/session/transferstatuslabel.h"
#include "ui/window/accessibility.h"
#include "ui/window/fontfamilies.h"
#include "ui/window/pixelfont.h"
#include "ui/window/windowpicture.h"

#include <QCoreApplication>
#include <QDebug>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QThread>

namespace {

// How long closing waits for the worker, which may be stuck in a call to the port.
const unsigned long kWorkerStopMs = 3000;

const char* const styleLargeButton =
    "QPushButton{background-color:white;        color: rgb(83,83,83);  border: 0;}"
    "QPushButton:hover{background-color:rgb(225,225,225);}"
    "QPushButton:pressed{background-color:rgb(200, 200, 200)}";
const char* const styleClose =
    "QPushButton{background-color:white;        color: rgb(83,83,83);  border: 0;"
    "background-image: url(:/image/close);background-position:center;background-repeat:no-repeat;}"
    "QPushButton:hover{background-color:rgb(225,225,225);background-image: url(:/image/closed);}"
    "QPushButton:pressed{background-color:rgb(200, 200, 200)}";
const char* const styleMinimize =
    "QPushButton{background-color:white;        color: rgb(83,83,83); border: 0;"
    "background-image: url(:/image/minimize);background-position:center;background-repeat:no-repeat;}"
    "QPushButton:hover{background-color:rgb(225,225,225);background-image: url(:/image/minimized);}"
    "QPushButton:pressed{background-color:rgb(200, 200, 200)}";
const char* const styleLanguageButton =
    "QPushButton{background-color:white;         color: rgb(83,83,83);  border: 0;}"
    "QPushButton:hover{background-color:rgb(225,225,225);}"
    "QPushButton:pressed{background-color:rgb(200, 200, 200)}";
const char* const styleHelp =
    "QPushButton{background-color:white;         background-image: url(:/image/help); "
    "border: 0;}QPushButton:hover{background-image: url(:/image/helpd);}";
const char* const styleList = "QListWidget{background-color:rgb(182, 188, 205);border: 0;}";
// Windows' style outlines a focused button with dots, where Linux's shows nothing; a flat frame
// shows the keyboard's focus instead. Buttons take the focus only from the keyboard, so a click
// leaves no frame behind.
const char* const styleFocus =
    "QPushButton{outline: 0;}"
    "QPushButton:focus{border: 2px solid rgb(47,124,220);background-origin: border;background-clip: border;}";

QPushButton* makeButton(QWidget* parent, const char* name, const QRect& geometry, const char* styleSheet)
{
    QPushButton* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoFillBackground(true);
    button->setStyleSheet(QString(styleSheet) + styleFocus);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

// The pictures and translations live in a static library, where nothing would pull in their
// registration.
static void initResources()
{
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(translations);
}

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), device(nullptr), devInfo(), widgetBackground(nullptr), dragLastPos(0, 0),
      mousePressed(false), widgetTitle(nullptr), buttonConnect(nullptr), deviceConnected(false),
      buttonExport(nullptr), buttonExportAll(nullptr), buttonClose(nullptr), buttonMinimize(nullptr),
      labelSeparator(nullptr), buttonCh(nullptr), buttonEn(nullptr), labelUnderline(nullptr),
      buttonHelp(nullptr), labelStatusIcon(nullptr), labelStatusText(nullptr), labelDeviceInfo(nullptr),
      labelLogo(nullptr), listWidget(nullptr), pictureStore(nullptr), batchScheduled(false),
      exportRunning(false), labelFrame(nullptr), labelPreview(nullptr), labelImageNumber(nullptr),
      labelTransfer(nullptr), storedTransfer(nullptr), partialOnShow(false), progressivePreview(nullptr),
      currentPicture(nullptr), helpWindow(nullptr), windowClosing(false)
{
    initResources();
    pictureStore = new PictureStore(this);
    initUi();
    applyLanguage();

    device = new KaDevice(nullptr);
    QThread* thread = new QThread(nullptr);
    // Deferred deletion still runs after the loop ends, so the port closes on its own thread.
    connect(thread, &QThread::finished, device, &QObject::deleteLater);
    thread->start(QThread::InheritPriority);
    device->moveToThread(thread);

    initConnections();
    initCurrentPicture();
    initKeyboard();
}

MainWindow::~MainWindow()
{
    // Stop the worker before the window goes: nothing is sent to the device, the port is closed.
    QThread* thread = device->thread();
    thread->quit();
    if (thread->wait(kWorkerStopMs)) {
        delete thread;
    } else {
        // Deleting a running thread aborts the program: thread and device are left to its end.
        qDebug() << "worker thread still running after" << kWorkerStopMs << "ms, left behind";
    }
    // Pictures the worker sent before it stopped still wait in queued calls, and a call dropped with
    // the window would leave its picture unfreed: they are taken now and go with the window.
    windowClosing = true;
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void MainWindow::initUi()
{
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);

    setWindowIcon(QIcon(":/image/logo"));

    const QPixmap background = windowPicture(":/image/background");
    setFixedSize(logicalSize(background));

    widgetBackground = new QWidget(this);
    widgetBackground->setObjectName("widgetBackground");
    widgetBackground->setGeometry(0, 0, width(), height());
    widgetBackground->setAutoFillBackground(true);
    QPalette backgroundPalette = widgetBackground->palette();
    backgroundPalette.setBrush(QPalette::Window, QBrush(background));
    widgetBackground->setPalette(backgroundPalette);

    widgetTitle = new QWidget(widgetBackground);
    widgetTitle->setObjectName("widgetTitle");
    widgetTitle->setAttribute(Qt::WA_TransparentForMouseEvents);

    buttonConnect = makeButton(widgetBackground, "buttonConnect", QRect(20, 68, 180, 60), styleLargeButton);
    buttonExport = makeButton(widgetBackground, "buttonExport", QRect(200, 68, 180, 60), styleLargeButton);
    buttonExportAll =
        makeButton(widgetBackground, "buttonExportAll", QRect(380, 68, 180, 60), styleLargeButton);
    buttonClose = makeButton(widgetBackground, "buttonClose", QRect(875, 35, 22, 22), styleClose);
    buttonMinimize = makeButton(widgetBackground, "buttonMinimize", QRect(850, 35, 22, 22), styleMinimize);

    labelSeparator = new QLabel(widgetBackground);
    // Before its text: a screen reader that asked once keeps what it was told.
    Accessibility::presentAsSeparator(labelSeparator);
    labelSeparator->setObjectName("labelSeparator");
    labelSeparator->setGeometry(763, 78, 20, 40);
    labelSeparator->setText("|");
    labelSeparator->setFont(pixelFont(fontFamilyEn, 21));

    buttonCh = makeButton(widgetBackground, "buttonCh", QRect(710, 78, 50, 40), styleLanguageButton);
    buttonCh->setText(QString::fromUtf8("中文"));
    buttonEn = makeButton(widgetBackground, "buttonEn", QRect(770, 78, 70, 40), styleLanguageButton);
    buttonEn->setText("English");

    labelUnderline = new QLabel(widgetBackground);
    labelUnderline->setObjectName("labelUnderline");
    labelUnderline->setAutoFillBackground(true);
    QPalette underlinePalette = labelUnderline->palette();
    underlinePalette.setBrush(QPalette::Window, QBrush(QColor(232, 68, 65, 255)));
    labelUnderline->setPalette(underlinePalette);

    buttonHelp = makeButton(widgetBackground, "buttonHelp", QRect(870, 78, 32, 32), styleHelp);

    labelStatusIcon = new QLabel(widgetBackground);
    labelStatusIcon->setObjectName("labelStatusIcon");

    labelStatusText = new QLabel(widgetBackground);
    labelStatusText->setObjectName("labelStatusText");
    labelStatusText->setGeometry(20, 218, 180, 20);
    labelStatusText->setAlignment(Qt::AlignCenter);
    labelStatusText->setStyleSheet("color:white;");

    labelDeviceInfo = new QLabel(widgetBackground);
    labelDeviceInfo->setObjectName("labelDeviceInfo");
    labelDeviceInfo->setGeometry(20, 240, 180, 20);
    // The device's own line: whatever it sends is shown as sent, never as markup.
    labelDeviceInfo->setTextFormat(Qt::PlainText);
    labelDeviceInfo->setAlignment(Qt::AlignCenter);
    labelDeviceInfo->setStyleSheet("color:white;");

    labelLogo = new QLabel(widgetBackground);
    labelLogo->setObjectName("labelLogo");

    listWidget = new ImageListWidget(ImageRowDelegate::rowSize.height(), widgetBackground);
    listWidget->setObjectName("listWidget");
    listWidget->setGeometry(20, 267, 180, 320);
    listWidget->setStyleSheet(styleList);
    listWidget->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    listWidget->setItemDelegate(new ImageRowDelegate(pixelFont(fontFamilyEn, 24), listWidget));

    const QPixmap frame = windowPicture(":/image/frame");
    labelFrame = new QLabel(widgetBackground);
    labelFrame->setObjectName("labelFrame");
    labelFrame->setGeometry(QRect(QPoint(320, 150), logicalSize(frame)));
    labelFrame->setPixmap(frame);

    labelPreview = new QLabel(labelFrame);
    labelPreview->setObjectName("labelPreview");
    labelPreview->setGeometry(64, 64, 360, 240);

    labelImageNumber = new QLabel(labelFrame);
    labelImageNumber->setObjectName("labelImageNumber");
    labelImageNumber->setGeometry(68, 335, 200, 40);
    labelImageNumber->setText("Image Number. ");
    labelImageNumber->setFont(pixelFont(fontFamilyEn, 15));
    labelImageNumber->setStyleSheet("color:rgb(128,128,128);");

    // In the free band below the frame, left of the logo: outside every export.
    labelTransfer = new TransferStatusLabel(widgetBackground);
    labelTransfer->setObjectName("labelTransfer");
    labelTransfer->setGeometry(215, 557, 565, 20);

    listWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    labelFrame->setContextMenuPolicy(Qt::CustomContextMenu);
}

void MainWindow::initConnections()
{
    connect(buttonClose, SIGNAL(clicked(bool)), this, SLOT(slotButtonClose()));
    connect(buttonMinimize, SIGNAL(clicked(bool)), this, SLOT(slotButtonMinimize()));
    connect(buttonCh, SIGNAL(clicked(bool)), this, SLOT(slotButtonCh()));
    connect(buttonEn, SIGNAL(clicked(bool)), this, SLOT(slotButtonEn()));
    connect(buttonConnect, SIGNAL(clicked(bool)), this, SLOT(slotButtonConnect()));
    connect(buttonExport, SIGNAL(clicked(bool)), this, SLOT(slotButtonExport()));
    connect(buttonExportAll, SIGNAL(clicked(bool)), this, SLOT(slotButtonExportAll()));
    qRegisterMetaType<KaDeviceInfo>("KaDeviceInfo");
    connect(this, SIGNAL(signalConnectDevice()), device, SLOT(connect_device_slot()));
    connect(this, SIGNAL(signalDisconnectDevice()), device, SLOT(disconnect_device_slot()));
    connect(device, SIGNAL(s_device_connect(bool, int, KaDeviceInfo)), this,
            SLOT(slotDeviceConnect(bool, int, KaDeviceInfo)));
    connect(this, SIGNAL(signalGetStoredImage()), device, SLOT(get_stored_image_slot()));
    connect(device, SIGNAL(s_recv_stored_image(int, QImage*)), this, SLOT(slotDeviceGotImage(int, QImage*)));
    connect(listWidget, SIGNAL(clicked(QModelIndex)), this, SLOT(slotListWidgetClicked()));
    // A row chosen with the keys is previewed and kept, as a clicked one is.
    connect(static_cast<ImageListWidget*>(listWidget), &ImageListWidget::signalRowChosen, this,
            &MainWindow::slotListWidgetClicked);
    connect(buttonHelp, &QPushButton::clicked, this, &MainWindow::slotButtonHelp);

    connect(device, &KaDevice::s_link_failure, this, &MainWindow::slotLinkFailure);
    connect(device, &KaDevice::s_transfer_progress, labelTransfer, &TransferStatusLabel::showProgress);
    connect(device, &KaDevice::s_recv_stored_image, labelTransfer, &TransferStatusLabel::pictureArrived);
    connect(device, &KaDevice::s_transfer_dropped, labelTransfer, &TransferStatusLabel::pictureDropped);
    storedTransfer = new StoredTransfer(this);
    connect(device, &KaDevice::s_frame_started, storedTransfer, &StoredTransfer::frameStarted);
    connect(device, &KaDevice::s_transfer_progress, storedTransfer, &StoredTransfer::activity);
    connect(device, &KaDevice::s_recv_stored_image, storedTransfer, &StoredTransfer::activity);
    connect(device, &KaDevice::s_transfer_dropped, storedTransfer, &StoredTransfer::end);
    connect(device, &KaDevice::s_stored_images_end, storedTransfer, &StoredTransfer::end);
    connect(storedTransfer, &StoredTransfer::signalFinished, labelTransfer,
            &TransferStatusLabel::transferFinished);
    connect(listWidget, &QWidget::customContextMenuRequested, this, &MainWindow::slotListContextMenu);
    connect(labelFrame, &QWidget::customContextMenuRequested, this, &MainWindow::slotPreviewContextMenu);
}
