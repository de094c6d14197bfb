#include "ui/window/mainwindow.h"

#include "core/picturestore.h"
#include "device/kadevice.h"
#include "ui/autosave/autosave.h"
#include "ui/export/exportcommands.h"
#include "ui/export/originalsmenu.h"
#include "ui/list/imagelistwidget.h"
#include "ui/list/imagerowdelegate.h"
#include "ui/list/picturerows.h"
#include "ui/preview/previewarea.h"
#include "ui/session/linksession.h"
#include "ui/session/statuscolumn.h"
#include "ui/session/transferstatuslabel.h"
#include "ui/viewer/vieweropener.h"
#include "ui/window/accessibility.h"
#include "ui/window/fontfamilies.h"
#include "ui/window/pixelfont.h"
#include "ui/window/windowpicture.h"

#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>

namespace {

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
    : QMainWindow(parent), device(nullptr), widgetBackground(nullptr), dragLastPos(0, 0), mousePressed(false),
      widgetTitle(nullptr), buttonConnect(nullptr), buttonExport(nullptr), buttonExportAll(nullptr),
      buttonClose(nullptr), buttonMinimize(nullptr), labelSeparator(nullptr), buttonCh(nullptr),
      buttonEn(nullptr), labelUnderline(nullptr), buttonHelp(nullptr), labelStatusIcon(nullptr),
      labelStatusText(nullptr), labelDeviceInfo(nullptr), labelLogo(nullptr), listWidget(nullptr),
      pictureStore(nullptr), pictureRows(nullptr), labelFrame(nullptr), labelPreview(nullptr),
      labelImageNumber(nullptr), labelTransfer(nullptr), linkSession(nullptr), previewArea(nullptr),
      originalsMenu(nullptr), autoSave(nullptr), helpWindow(nullptr), viewerOpener(nullptr)
{
    initResources();
    pictureStore = new PictureStore(this);
    initUi();
    statusColumn =
        std::make_unique<StatusColumn>(buttonConnect, labelStatusIcon, labelStatusText, labelDeviceInfo);
    linkSession = new LinkSession(labelTransfer, this);
    previewArea = new PreviewArea(labelFrame, labelPreview, labelImageNumber, linkSession, this);
    exportCommands = std::make_unique<ExportCommands>(this, pictureStore, previewArea);
    autoSave = new AutoSave(pictureStore, linkSession, labelTransfer, this);
    originalsMenu = new OriginalsMenu(exportCommands.get(), autoSave, pictureStore, previewArea, this);
    pictureRows = new PictureRows(listWidget, pictureStore, this);
    viewerOpener = new ViewerOpener(listWidget, labelFrame, pictureStore, previewArea, linkSession, this);
    device = linkSession->device();
    applyLanguage();

    initConnections();
    initKeyboard();
}

MainWindow::~MainWindow()
{
    // The worker stops before the window goes; pictures it sent meanwhile join the store and go
    // with it, and are saved before the saving worker stops.
    linkSession->shutDown();
    autoSave->shutDown();
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
    connect(this, SIGNAL(signalConnectDevice()), device, SLOT(connect_device_slot()));
    connect(this, SIGNAL(signalDisconnectDevice()), device, SLOT(disconnect_device_slot()));
    connect(this, SIGNAL(signalGetStoredImage()), device, SLOT(get_stored_image_slot()));
    // The device's reports come through the link session, which keeps what they say.
    connect(linkSession, &LinkSession::signalDeviceConnect, this, &MainWindow::slotDeviceConnect);
    connect(linkSession, &LinkSession::signalStoredImage, this, &MainWindow::slotDeviceGotImage);
    connect(pictureRows, &PictureRows::signalBatchShown, this, &MainWindow::showStoredPicture);
    connect(listWidget, SIGNAL(clicked(QModelIndex)), this, SLOT(slotListWidgetClicked()));
    // A row chosen with the keys is previewed and kept, as a clicked one is.
    connect(static_cast<ImageListWidget*>(listWidget), &ImageListWidget::signalRowChosen, this,
            &MainWindow::slotListWidgetClicked);
    connect(buttonHelp, &QPushButton::clicked, this, &MainWindow::slotButtonHelp);
    connect(listWidget, &QWidget::customContextMenuRequested, this, &MainWindow::slotListContextMenu);
    connect(labelFrame, &QWidget::customContextMenuRequested, this, &MainWindow::slotPreviewContextMenu);
    connect(originalsMenu, &OriginalsMenu::signalCurrentPicture, this, &MainWindow::slotCurrentPicture);
    connect(originalsMenu, &OriginalsMenu::signalCurrentPicture, viewerOpener,
            &ViewerOpener::slotFollowCurrent);
    connect(originalsMenu, &OriginalsMenu::signalOpenViewer, viewerOpener, &ViewerOpener::slotOpenShown);
    connect(viewerOpener, &ViewerOpener::signalCurrentPicture, this, &MainWindow::slotCurrentPicture);
    connect(viewerOpener, &ViewerOpener::signalLiveView, this, &MainWindow::slotLiveView);
}
