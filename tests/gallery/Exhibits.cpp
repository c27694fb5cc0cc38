#include "Exhibits.h"

#include "QMWidgets/dialogs/AboutDialog.h"
#include "QMWidgets/widgets/AdvancedLabel.h"
#include "QMWidgets/widgets/AniSwitch.h"
#include "QMWidgets/promo/AppButton.h"
#include "QMWidgets/promo/AppMenu.h"
#include "QMWidgets/dialogs/AppUpdateDialog.h"
#include "QMWidgets/widgets/BubbleWindow.h"
#include "QMWidgets/widgets/CheckButton.h"
#include "QMWidgets/widgets/ColorWidget.h"
#include "QMWidgets/widgets/ColorWidgetPopup.h"
#include "QMWidgets/widgets/ComboProgress.h"
#include "QMWidgets/widgets/ComboSlider.h"
#include "QMWidgets/promo/CommunityButton.h"
#include "QMWidgets/css/CssDoc.h"
#include "QMWidgets/css/CssEditor.h"
#include "QMWidgets/widgets/DateWidget.h"
#include "QMWidgets/widgets/DirView.h"
#include "QMWidgets/widgets/DropWidget.h"
#include "QMWidgets/widgets/EmailEdit.h"
#include "QMWidgets/dialogs/HelpDialog.h"
#include "QMWidgets/dialogs/HelpDisplay.h"
#include "QMWidgets/dialogs/HelpViewArea.h"
#include "QMWidgets/widgets/HybridWidget.h"
#include "QMWidgets/widgets/IconLabel.h"
#include "QMWidgets/annotation/ImageArea.h"
#include "QMWidgets/annotation/ImageNoteEditor.h"
#include "QMWidgets/annotation/ImageNoteWorkArea.h"
#include "QMWidgets/desktop/ImageViewer.h"
#include "QMWidgets/dialogs/InputDialog.h"
#include "QMWidgets/dialogs/JoinDialog.h"
#include "QMWidgets/dialogs/JoinReminderDialog.h"
#include "QMWidgets/dialogs/JoinWidget.h"
#include "QMWidgets/widgets/Label.h"
#include "QMWidgets/dialogs/LicenseDialog.h"
#include "QMWidgets/dialogs/LinkDialog.h"
#include "QMWidgets/widgets/ListWidgetItem.h"
#include "QMWidgets/dialogs/LoginAdviceDialog.h"
#include "QMWidgets/dialogs/MMessageBox.h"
#include "QMWidgets/promo/MenuButton.h"
#include "QMWidgets/widgets/MobileSimulator.h"
#include "QMWidgets/promo/MoreAppsButton.h"
#include "QMWidgets/widgets/MovieLabel.h"
#include "QMWidgets/widgets/NoScreenShotWidget.h"
#include "QMWidgets/annotation/NoteEditDragPreview.h"
#include "QMWidgets/annotation/NoteEditWidget.h"
#include "QMWidgets/promo/PromoAdsBar.h"
#include "QMWidgets/promo/PromoMainPage.h"
#include "QMWidgets/promo/PromoMenuBar.h"
#include "QMWidgets/widgets/RadioBox.h"
#include "QMWidgets/dialogs/RateAppStoreDialog.h"
#include "QMWidgets/dialogs/RateMailDialog.h"
#include "QMWidgets/dialogs/ReminderDialog.h"
#include "QMWidgets/widgets/ResolutionSetupWidget.h"
#include "QMWidgets/widgets/RoundProgress.h"
#include "QMWidgets/desktop/ScreenCropper.h"
#include "QMWidgets/desktop/ScreenLocker.h"
#include "QMWidgets/desktop/ScreenMeasurer.h"
#include "QMWidgets/widgets/SearchFilter.h"
#include "QMWidgets/dialogs/SettingsDialog.h"
#include "QMWidgets/dialogs/SettingsWidget.h"
#include "QMWidgets/widgets/SimpleProgress.h"
#include "QMWidgets/style/StyleHelpers.h"
#include "QMWidgets/dialogs/TellDialog.h"
#include "QMWidgets/dialogs/TellReminderDialog.h"
#include "QMWidgets/dialogs/TellWidget.h"
#include "QMWidgets/widgets/TitleLabel.h"
#include "QMWidgets/widgets/TopWidget.h"
#include "QMWidgets/widgets/UltraRadioBox.h"
#include "QMWidgets/widgets/UltraRadioBoxPopup.h"
#include "QMWidgets/app/UpdateCheck.h"
#include "QMWidgets/dialogs/UpdateIndicationDialog.h"
#include "QMWidgets/widgets/VirtualResolutionDialog.h"
#include "QMWidgets/widgets/VirtualResolutionWidget.h"
#include "QMWidgets/widgets/WaitLabel.h"
#include "QMWidgets/widgets/WindowTitle.h"
#include "MUI/MUITabBar.h"
#include "app/DlgJSCompressed.h"
#include "app/JSMainWindow.h"
#include "app/JavaScriptEvaluator.h"
#include "scripting/editor/AliasesWidget.h"
#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"
#include "scripting/editor/FindDialog.h"
#include "scripting/windows/MainWindow.h"
#include "scripting/editor/OptionsDialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QComboBox>
#include <QDomDocument>
#include <QFileDialog>
#include <QFormLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtTest>

#include <cstdio>

using namespace QMWidgets;

namespace {

// A picture for the viewers and editors: a sky, a hill and a sun, so zoom and crop show something.
QPixmap samplePicture()
{
    QPixmap picture(480, 320);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, 320);
    sky.setColorAt(0, QColor(70, 130, 200));
    sky.setColorAt(1, QColor(200, 225, 245));
    painter.fillRect(picture.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 210, 60));
    painter.drawEllipse(QPoint(370, 80), 40, 40);
    painter.setBrush(QColor(60, 140, 70));
    painter.drawEllipse(QPoint(160, 420), 330, 200);
    return picture;
}

// A settings page of the usual controls, as a program registers one.
class SamplePage : public SettingsWidget
{
public:
    SamplePage()
    {
        auto *form = new QFormLayout(this);
        auto *check = new QCheckBox(QStringLiteral("Open the last script at start"));
        check->setChecked(true);
        form->addRow(check);
        auto *spin = new QSpinBox;
        spin->setRange(1, 64);
        spin->setValue(12);
        form->addRow(QStringLiteral("Font size"), spin);
        auto *slider = new QSlider(Qt::Horizontal);
        slider->setValue(35);
        form->addRow(QStringLiteral("Transparency"), slider);
        auto *combo = new QComboBox;
        combo->addItems({QStringLiteral("English"), QStringLiteral("Deutsch")});
        form->addRow(QStringLiteral("Language"), combo);
        form->addRow(QStringLiteral("Start folder"), new QLineEdit(QStringLiteral("/home")));
        auto *radio = new QRadioButton(QStringLiteral("Keep backups"));
        radio->setChecked(true);
        form->addRow(radio);
    }
    void load(QDomNode) override {}
    QDomElement save(QDomDocument &document) override { return document.createElement(name()); }
    QString name() const override { return QStringLiteral("General"); }
};

QWidget *fixed(QWidget *widget, int width, int height)
{
    widget->setFixedSize(width, height);
    return widget;
}

// At least this size, also inside a dialog's layout: many widgets of the kit ask for no size of their own.
QWidget *sized(QWidget *widget, int width, int height)
{
    widget->setMinimumSize(width, height);
    widget->resize(width, height);
    return widget;
}

QWidget *switchOf(bool withIcon, bool on)
{
    auto *sw = new AniSwitch;
    sw->setFixedSize(160, 32);
    sw->setupSwitch(withIcon, on);
    return sw;
}

QWidget *settingsDialog()
{
    static bool registered = false;
    if (!registered) {
        registered = true;
        SettingsDialog::registerSettingsWidget(QStringLiteral("General"), new SamplePage);
        SettingsDialog::registerSettingsWidget(QStringLiteral("Editor"), new SamplePage);
    }
    return new SettingsDialog;
}

QWidget *radioBox()
{
    auto *box = new RadioBox(QBoxLayout::LeftToRight);
    for (const char *caption : {"Pen", "Line", "Text"}) {
        auto *button = new QPushButton(QLatin1String(caption));
        setupPushButton(button);
        box->addButton(button);
    }
    return box;
}

// The thickness choice of the annotation editor: picture buttons, one shown, all of them in the popup.
UltraRadioBox *ultraRadioBox()
{
    auto *box = new UltraRadioBox;
    QPushButton *first = nullptr;
    for (const char *thickness : {"1px", "5px", "15px"}) {
        auto *button = new QPushButton;
        button->setFixedSize(32, 32);
        button->setIcon(QIcon(QStringLiteral(":/%1.png").arg(QLatin1String(thickness))));
        button->setIconSize(QSize(28, 28));
        first = first ? first : button;
        box->addButton(button, QLatin1String(thickness));
    }
    box->setCurrentButton(first);
    return box;
}

// The popup alone, holding the box it belongs to so that both go together.
QWidget *ultraRadioBoxPopup()
{
    UltraRadioBox *box = ultraRadioBox();
    auto *popup = box->findChild<UltraRadioBoxPopup *>();
    popup->setParent(nullptr, Qt::Window | Qt::FramelessWindowHint);
    box->setParent(popup);
    box->hide();
    return popup;
}

QWidget *comboProgress()
{
    auto *progress = new ComboProgress;
    progress->label()->setText(QStringLiteral("Compressing script.js"));
    progress->slotSetProgress(60);
    return sized(progress, 360, 40);
}

QWidget *comboSlider()
{
    auto *slider = new ComboSlider(QStringLiteral("Opacity"));
    slider->setRange(0, 100);
    slider->setValue(35);
    slider->setUnitText(QStringLiteral("%"));
    return sized(slider, 360, 40);
}

QWidget *windowTitle()
{
    auto *title = new WindowTitle;
    title->setWindowTitle(QStringLiteral("Tarsel"));
    return sized(title, 480, 40);
}

QWidget *simpleProgress()
{
    auto *progress = new SimpleProgress;
    progress->setValue(40);
    progress->setText(QStringLiteral("Loading examples"));
    return sized(progress, 300, 30);
}

QWidget *roundProgress()
{
    auto *progress = new RoundProgress;
    progress->setValue(72);
    return fixed(progress, 120, 120);
}

QWidget *menuButton()
{
    auto *button = new MenuButton(QStringLiteral("Examples"));
    auto *menu = new QMenu(button);
    menu->addAction(QStringLiteral("Hello world"));
    button->setMenu(menu);
    return button;
}

QWidget *listWithPayload()
{
    auto *list = new QListWidget;
    for (const char *text : {"first.js", "second.js", "third.js"})
        new ListWidgetItem(QLatin1String(text), list);
    list->setCurrentRow(1);
    return sized(list, 240, 120);
}

QWidget *dateWidget()
{
    auto *date = new DateWidget;
    date->setDay(24);
    date->setMonth(12);
    date->setYear(2026);
    return date;
}

QWidget *emailEdit()
{
    auto *edit = new EmailEdit;
    edit->setText(QStringLiteral("someone@example.org"));
    return sized(edit, 320, 40);
}

QWidget *bubble()
{
    // The caller picks the colour: one of the program's dark family, under the style's white label text.
    auto *bubble = new BubbleWindow(nullptr, QColor(60, 60, 64));
    auto *layout = new QVBoxLayout(bubble);
    layout->addWidget(new QLabel(QStringLiteral("Click here to run the script")));
    return sized(bubble, 260, 90);
}

QWidget *label()
{
    auto *label = new Label;
    label->setImage(QPixmap(QStringLiteral(":/app.png")));
    return sized(label, 120, 120);
}

QWidget *advancedLabel()
{
    auto *label = new AdvancedLabel;
    label->setPixmap(QPixmap(QStringLiteral(":/Icon_run.png")));
    label->setText(QStringLiteral("Run the script"));
    return sized(label, 200, 80);
}

QWidget *titleLabel()
{
    auto *label = new TitleLabel;
    label->setText(QStringLiteral("Tarsel"));
    return label;
}

QWidget *dropWidget()
{
    auto *drop = new DropWidget;
    drop->setText(QStringLiteral("Drop a script here"));
    drop->setButtonText(QStringLiteral("Open..."));
    return sized(drop, 300, 200);
}

QWidget *helpDisplay()
{
    auto *display = new HelpDisplay(nullptr);
    display->setImage(QStringLiteral(":/app.png"));
    return sized(display, 320, 240);
}

QWidget *helpViewArea()
{
    auto *area = new HelpViewArea(nullptr);
    area->addSlide(QStringLiteral(":/app.png"));
    area->addSlide(QStringLiteral(":/appicon.png"));
    // A slide shows once its button is checked. The area is shown at its own size: below it the slide
    // would be cut.
    area->findChild<QPushButton *>(QStringLiteral("HelpSlideButton"))->setChecked(true);
    return area;
}

QWidget *helpDialog()
{
    auto *dialog = new HelpDialog(nullptr);
    dialog->addSlide(QStringLiteral(":/app.png"));
    dialog->addSlide(QStringLiteral(":/appicon.png"));
    return dialog;
}

QWidget *imageArea()
{
    auto *area = new ImageArea;
    area->setImage(samplePicture());
    return sized(area, 400, 300);
}

QWidget *imageViewer()
{
    auto *viewer = new ImageViewer;
    viewer->slotLoad(samplePicture().toImage());
    return sized(viewer, 640, 480);
}

QWidget *imageNoteEditor()
{
    auto *editor = new ImageNoteEditor;
    editor->slotSetPixmap(samplePicture());
    return sized(editor, 800, 560);
}

QWidget *dragPreview()
{
    auto *preview = new NoteEditDragPreview;
    preview->slotSetPixmap(samplePicture().scaled(160, 110));
    return fixed(preview, 180, 130);
}

QWidget *mobileSimulator()
{
    auto *simulator = new MobileSimulator;
    simulator->setWidget(new QLabel(QStringLiteral("Screen of the phone")));
    return sized(simulator, 260, 420);
}

QWidget *hybridWidget()
{
    auto *hybrid = new HybridWidget;
    hybrid->addWidget(new QLabel(QStringLiteral("The program's page")));
    return sized(hybrid, 420, 300);
}

QWidget *virtualResolutionWidget()
{
    auto *view = new VirtualResolutionWidget;
    view->setWidget(new QLabel(QStringLiteral("A page at 1024 by 768")));
    view->slotSetSize(QPoint(1024, 768));
    return sized(view, 400, 300);
}

QWidget *resolutionSetup()
{
    auto *setup = new ResolutionSetupWidget;
    setup->addResolution(1024, 768);
    setup->addResolution(1280, 800);
    return setup;
}

QWidget *adsBar()
{
    // The banner shows entries of a menu bar's "More" menu; the bar is its hidden child.
    auto *frame = new QWidget;
    auto *bar = new PromoMenuBar(frame, false);
    bar->hide();
    // What the catalogue would fill in from the network.
    bar->moreMenu()->addAction(QIcon(QStringLiteral(":/app.png")), QStringLiteral("Tarsel for the web"));
    bar->moreMenu()->addAction(QStringLiteral("More Apps"));
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new PromoAdsBar(frame, bar));
    return sized(frame, 480, 70);
}

// A main page as a program lays it out: the promotion bar above its own content and the banner below.
QWidget *promoMainPage()
{
    auto *page = new PromoMainPage(nullptr, false);
    // The More menu filled as the program fills it: the banner draws its ads from it, never from its last entry,
    // so a menu of one entry left the banner blank.
    page->menuBar()->setPromoCategory(QStringLiteral("developer"));
    auto *content = new QWidget; // the program's own page
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(page->menuBar());
    layout->addWidget(content, 1);
    layout->addWidget(page->adsBar());
    return sized(page, 640, 440);
}

QWidget *topWidget()
{
    auto *top = new TopWidget(true);
    top->setTitle(QStringLiteral("Frameless window"));
    top->contentLayout()->addWidget(new QLabel(QStringLiteral("Content of the window")));
    return sized(top, 360, 220);
}

QWidget *inputDialog(int mode)
{
    auto *dialog = new InputDialog(QStringLiteral("Line number:"), nullptr, {}, mode);
    dialog->setWindowTitle(QStringLiteral("Go To Line"));
    return dialog;
}

QWidget *appMenu()
{
    auto *menu = new AppMenu;
    menu->adjustSize();
    return menu;
}

QWidget *fileDialog()
{
    auto *dialog = new QFileDialog(nullptr, QStringLiteral("Open Script"), QDir::homePath(),
                                   QStringLiteral("Scripts (*.js)"));
    return sized(dialog, 640, 420);
}

QWidget *findDialog()
{
    auto *editor = new QMMistlark::Editor;
    auto *dialog = new QMMistlark::FindDialog(editor);
    // The dialog searches the editor, which goes with it.
    editor->setParent(dialog);
    editor->hide();
    return dialog;
}

// The pane after a run that printed and then failed: the report in red below the printed line.
QWidget *editorWithReport()
{
    auto *editor = new QMMistlark::Editor;
    editor->setText(QStringLiteral("printout('printed before the error');\nthrow new Error('the last step failed');"));
    editor->run();
    return sized(editor, 520, 360);
}

QWidget *aliasesWidget()
{
    QMap<QString, QString> aliases;
    // From full name to alias, as the editor keeps them.
    aliases.insert(QStringLiteral("QPushButton"), QStringLiteral("Button"));
    aliases.insert(QStringLiteral("QLineEdit"), QStringLiteral("Edit"));
    return sized(new QMMistlark::AliasesWidget(aliases), 360, 260);
}

QWidget *docWindow()
{
    auto *doc = new QMMistlark::DocWindow;
    doc->setPlainText(QStringLiteral("function hello(name) {\n    return \"Hello, \" + name;\n}\n"));
    return sized(doc, 400, 260);
}

QWidget *messageBox(int kind)
{
    return new MMessageBox(kind, QStringLiteral("Tarsel"), QStringLiteral("Save the changes to script.js?"),
                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

} // namespace

std::vector<Exhibit> exhibits()
{
    const Exhibit::Kind widget = Exhibit::Widget;
    const Exhibit::Kind window = Exhibit::Window;
    return {
        {QStringLiteral("AniSwitch-off"), widget, [] { return switchOf(true, false); }},
        {QStringLiteral("AniSwitch-on"), widget, [] { return switchOf(true, true); }},
        {QStringLiteral("AniSwitch-noicon"), widget, [] { return switchOf(false, false); }},
        {QStringLiteral("CheckButton"), widget, [] { return fixed(new CheckButton, 32, 32); }},
        {QStringLiteral("ColorWidget"), widget, [] {
             auto *colour = new ColorWidget;
             colour->setColor(QColor(200, 60, 40));
             return fixed(colour, 48, 24);
         }},
        {QStringLiteral("ColorWidgetPopup"), window, [] { return new ColorWidgetPopup; }},
        {QStringLiteral("RadioBox"), widget, radioBox},
        {QStringLiteral("UltraRadioBox"), widget, [] { return static_cast<QWidget *>(ultraRadioBox()); }},
        {QStringLiteral("UltraRadioBoxPopup"), window, ultraRadioBoxPopup},
        {QStringLiteral("DateWidget"), widget, dateWidget},
        {QStringLiteral("ComboProgress"), widget, comboProgress},
        {QStringLiteral("ComboSlider"), widget, comboSlider},
        {QStringLiteral("WindowTitle"), widget, windowTitle},
        {QStringLiteral("DropWidget"), widget, dropWidget},
        {QStringLiteral("DirView"), widget, [] { return sized(new DirView, 320, 240); }},
        {QStringLiteral("MobileSimulator"), widget, mobileSimulator},
        {QStringLiteral("HybridWidget"), widget, hybridWidget},
        {QStringLiteral("Label"), widget, label},
        {QStringLiteral("AdvancedLabel"), widget, advancedLabel},
        {QStringLiteral("TitleLabel"), widget, titleLabel},
        {QStringLiteral("IconLabel"), widget, [] {
             auto *icon = new IconLabel;
             icon->setPixmap(QPixmap(QStringLiteral(":/appicon.png")).scaled(32, 32));
             return icon;
         }},
        {QStringLiteral("MenuButton"), widget, menuButton},
        {QStringLiteral("AppButton"), widget, [] {
             // Named as the menu bar that holds it names it; the style sheet goes by the name.
             auto *button = new AppButton;
             button->setObjectName(QStringLiteral("AppButton"));
             return button;
         }},
        {QStringLiteral("MoreAppsButton"), widget, [] {
             auto *button = new MoreAppsButton;
             button->setObjectName(QStringLiteral("MoreAppsButton"));
             return button;
         }},
        {QStringLiteral("CommunityButton"), widget, [] {
             auto *button = new CommunityButton;
             button->setText(QStringLiteral("Community"));
             return button;
         }},
        {QStringLiteral("SimpleProgress"), widget, simpleProgress},
        {QStringLiteral("RoundProgress"), widget, roundProgress},
        {QStringLiteral("WaitLabel"), widget, [] { return new WaitLabel(QStringLiteral("Please wait...")); }},
        {QStringLiteral("MovieLabel"), widget, [] { return new MovieLabel(QStringLiteral(":/pix/loading.gif")); }},
        {QStringLiteral("NoScreenShotWidget"), widget, [] {
             return sized(new NoScreenShotWidget(QStringLiteral("Hidden from screen shots")), 260, 80);
         }},
        {QStringLiteral("BubbleWindow"), widget, bubble},
        {QStringLiteral("SearchFilter"), widget, [] {
             auto *search = new SearchFilter;
             search->setText(QStringLiteral("print"));
             return sized(search, 240, 32);
         }},
        {QStringLiteral("EmailEdit"), widget, emailEdit},
        {QStringLiteral("ListWidgetItem"), widget, listWithPayload},
        {QStringLiteral("ResolutionSetupWidget"), widget, resolutionSetup},
        {QStringLiteral("VirtualResolutionWidget"), widget, virtualResolutionWidget},
        {QStringLiteral("HelpDisplay"), widget, helpDisplay},
        {QStringLiteral("HelpViewArea"), widget, helpViewArea},
        {QStringLiteral("JoinWidget"), widget, [] { return new JoinWidget(nullptr); }},
        {QStringLiteral("TellWidget"), widget, [] { return new TellWidget(nullptr); }},
        {QStringLiteral("PromoMenuBar"), widget, [] { return sized(new PromoMenuBar(nullptr, false), 560, 45); }},
        {QStringLiteral("PromoAdsBar"), widget, adsBar},
        {QStringLiteral("ImageArea"), widget, imageArea},
        {QStringLiteral("ImageNoteWorkArea"), widget, [] {
             auto *area = new ImageNoteWorkArea;
             area->slotSetPixmap(samplePicture().scaled(300, 200));
             return sized(area, 320, 220);
         }},
        {QStringLiteral("NoteEditWidget"), widget, [] { return new NoteEditWidget; }},
        {QStringLiteral("NoteEditDragPreview"), widget, dragPreview},
        {QStringLiteral("CssDoc"), widget, [] {
             auto *doc = new CssDoc;
             doc->setPlainText(QStringLiteral("QLabel { color: white; }\n"));
             return sized(doc, 320, 160);
         }},
        {QStringLiteral("MUITabBar"), widget, [] {
             auto *bar = new MUITabBar;
             bar->addItem(QStringLiteral("Run"), QPixmap(QStringLiteral(":/Icon_run.png")));
             bar->addItem(QStringLiteral("Stop"), QPixmap(QStringLiteral(":/Icon_stop.png")));
             bar->addStretch(1);
             return sized(bar, 360, 60);
         }},

        {QStringLiteral("SettingsDialog"), window, settingsDialog},
        {QStringLiteral("AboutDialog"), window, [] { return new AboutDialog; }},
        {QStringLiteral("AboutDialog-legal"), window, [] {
             auto *about = new AboutDialog;
             about->showInfoPage(false);
             return about;
         }},
        {QStringLiteral("AppUpdateDialog-newer"), window, [] {
             updateStatus(QStringLiteral("build:1.9.0;")); // the version the dialog names
             return createUpdateDialog(UpdateStatus::Newer);
         }},
        {QStringLiteral("AppUpdateDialog-latest"), window, [] { return createUpdateDialog(UpdateStatus::Latest); }},
        {QStringLiteral("AppUpdateDialog-unknown"), window, [] { return createUpdateDialog(UpdateStatus::Unknown); }},
        {QStringLiteral("UpdateIndicationDialog"), window, [] {
             auto *dialog = new UpdateIndicationDialog;
             dialog->setText(QStringLiteral("Checking for updates..."));
             return dialog;
         }},
        {QStringLiteral("MMessageBox-question"), window, [] { return messageBox(MMessageBox::Question); }},
        {QStringLiteral("MMessageBox-warning"), window, [] { return messageBox(MMessageBox::Warning); }},
        {QStringLiteral("InputDialog-text"), window, [] { return inputDialog(InputDialog::TextInput); }},
        {QStringLiteral("InputDialog-integer"), window, [] { return inputDialog(InputDialog::IntegerInput); }},
        {QStringLiteral("LinkDialog"), window, [] { return new LinkDialog; }},
        {QStringLiteral("LoginAdviceDialog"), window, [] {
             auto *dialog = new LoginAdviceDialog;
             dialog->setText(QStringLiteral("Sign in to keep your scripts in the cloud."));
             return dialog;
         }},
        {QStringLiteral("LicenseDialog"), window, [] {
             auto *dialog = new LicenseDialog;
             dialog->textEdit()->setPlainText(QStringLiteral("Licence agreement\n\nThe terms under which the program "
                                                             "may be used stand here."));
             return sized(dialog, 560, 420);
         }},
        {QStringLiteral("HelpDialog"), window, helpDialog},
        {QStringLiteral("JoinDialog"), window, [] { return new JoinDialog(nullptr); }},
        {QStringLiteral("TellDialog"), window, [] { return new TellDialog(nullptr); }},
        {QStringLiteral("ReminderDialog"), window, [] { return new ReminderDialog(nullptr); }},
        {QStringLiteral("RateAppStoreDialog"), window, [] { return new RateAppStoreDialog(nullptr); }},
        {QStringLiteral("RateMailDialog"), window, [] { return new RateMailDialog(nullptr); }},
        {QStringLiteral("JoinReminderDialog"), window, [] { return new JoinReminderDialog(nullptr); }},
        {QStringLiteral("TellReminderDialog"), window, [] { return new TellReminderDialog(nullptr); }},
        {QStringLiteral("VirtualResolutionDialog"), window, [] { return new VirtualResolutionDialog; }},
        {QStringLiteral("TopWidget"), window, topWidget},
        {QStringLiteral("AppMenu"), window, appMenu},
        {QStringLiteral("FileDialog"), window, fileDialog},
        {QStringLiteral("CssEditor"), window, [] { return sized(new CssEditor, 640, 440); }},
        {QStringLiteral("ImageViewer"), window, imageViewer},
        {QStringLiteral("ImageNoteEditor"), window, imageNoteEditor},
        {QStringLiteral("ScreenCropper"), window, [] { return new ScreenCropper; }},
        {QStringLiteral("ScreenMeasurer"), window, [] { return new ScreenMeasurer; }},
        {QStringLiteral("ScreenLocker"), window, [] {
             auto *locker = new ScreenLocker;
             locker->showUnlockButton();
             return locker;
         }},
        {QStringLiteral("PromoMainPage"), window, promoMainPage},
        {QStringLiteral("JavaScriptEvaluator"), window, [] { return sized(new JavaScriptEvaluator, 800, 560); }},
        {QStringLiteral("JSMainWindow"), window, [] { return sized(new JSMainWindow, 800, 560); }},
        {QStringLiteral("DlgJSCompressed"), window, [] { return new DlgJSCompressed; }},
        {QStringLiteral("MainWindow"), window, [] { return sized(new QMMistlark::MainWindow, 800, 560); }},
        {QStringLiteral("FindDialog"), window, findDialog},
        {QStringLiteral("OptionsDialog"), window, [] { return new QMMistlark::OptionsDialog; }},
        {QStringLiteral("AliasesWidget"), window, aliasesWidget},
        {QStringLiteral("DocWindow"), window, docWindow},
        {QStringLiteral("Editor-report"), window, editorWithReport},
    };
}

QImage showAndGrab(QWidget *widget)
{
    // A window shown without a size of its own is kept within two thirds of the screen: the picture would
    // show a cut window that a larger screen does not cut.
    const QSize wanted = widget->sizeHint().expandedTo(widget->minimumSize());
    if (!widget->testAttribute(Qt::WA_Resized) && !wanted.isEmpty())
        widget->resize(wanted);
    widget->show();
    if (!QTest::qWaitForWindowExposed(widget))
        std::fprintf(stderr, "%s was not shown\n", widget->metaObject()->className());
    QTest::qWait(60);
    return widget->grab().toImage();
}

QDialog *inDialog(QWidget *widget)
{
    auto *dialog = new QDialog;
    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(widget);
    return dialog;
}
