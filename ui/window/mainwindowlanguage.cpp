// Language selection: every language-dependent text, picture and font of the window.
#include "ui/window/mainwindow.h"

#include "ui/autosave/autosave.h"
#include "ui/preview/previewarea.h"

#include "ui/help/helpwindow.h"
#include "ui/session/transferstatuslabel.h"
#include "ui/settings/apptranslation.h"
#include "ui/settings/languagesetting.h"
#include "ui/settings/settingsfile.h"
#include "ui/window/fontfamilies.h"
#include "ui/window/pixelfont.h"
#include "ui/window/windowpicture.h"

#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>

namespace {

const int kWeightNormal = 50;
const int kWeightBold = 75;

} // namespace

void MainWindow::slotButtonCh()
{
    chooseLanguage(LanguageSetting::chinese);
}

void MainWindow::slotButtonEn()
{
    chooseLanguage(LanguageSetting::english);
}

void MainWindow::chooseLanguage(const char* value)
{
    // A choice that cannot be stored still holds for the session; the user learns where it failed.
    const bool saved = LanguageSetting::store(value);
    applyLanguage();
    if (!saved)
        labelTransfer->languageNotSaved(SettingsFile::path());
}

void MainWindow::applyLanguage()
{
    AppTranslation::use(LanguageSetting::translationResource(), LanguageSetting::coreTranslationResource(),
                        LanguageSetting::qtTranslation());
    const bool chinese = LanguageSetting::isChinese();
    const QString& regularFamily = chinese ? fontFamilyCh : fontFamilyEn;

    setWindowTitle(tr("KA Image Viewer"));

    const QPixmap title = windowPicture(chinese ? ":/image/title_ch" : ":/image/title_en");
    widgetTitle->setGeometry(QRect(QPoint(40, 30), logicalSize(title)));
    widgetTitle->setAutoFillBackground(true);
    QPalette titlePalette = widgetTitle->palette();
    titlePalette.setBrush(QPalette::Window, QBrush(title));
    widgetTitle->setPalette(titlePalette);

    buttonExport->setText(tr("Export"));
    buttonExport->setFont(pixelFont(regularFamily, 21));
    buttonExportAll->setText(tr("Export All"));
    buttonExportAll->setFont(pixelFont(regularFamily, 21));

    buttonCh->setFont(chinese ? pixelFont(fontFamilyChBold, 20, kWeightBold)
                              : pixelFont(fontFamilyCh, 20, kWeightNormal));
    buttonEn->setFont(chinese ? pixelFont(fontFamilyEn, 20, kWeightNormal)
                              : pixelFont(fontFamilyEnBold, 20, kWeightBold));
    labelUnderline->setGeometry(chinese ? QRect(718, 113, 38, 3) : QRect(780, 113, 50, 3));

    const QPixmap logo = windowPicture(chinese ? ":/image/ornlogo_ch" : ":/image/ornlogo_en");
    labelLogo->setGeometry(QRect(QPoint(785, 560), logicalSize(logo)));
    labelLogo->setPixmap(logo);

    autoSave->refresh();
    labelTransfer->retranslate();
    previewArea->retranslate();
    applyAccessibleTexts();
    if (helpWindow)
        helpWindow->retranslate();

    // Also sets the connect button's text and font for the current connection state.
    updateConnectState();
}
