#include "QMWidgets/annotation/ImageNoteEditor.h"

#include "QMWidgets/promo/AppButton.h"
#include "QMWidgets/widgets/ColorWidget.h"
#include "QMWidgets/annotation/ImageNoteWorkArea.h"
#include "QMWidgets/dialogs/MMessageBox.h"
#include "QMWidgets/promo/MoreAppsButton.h"
#include "QMWidgets/annotation/NoteEditDragPreview.h"
#include "QMWidgets/app/Os.h"
#include "QMWidgets/style/StyleHelpers.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDesktopWidget>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QtMath>

namespace QMWidgets {

namespace {

struct SideBarTool
{
    const char *objectName;
    const char *toolTip;
    void (ImageNoteEditor::*slot)();
    bool hidden;
};

// In the order of the side bar.
const SideBarTool s_sideBarTools[] = {
    {"ImageNoteEditorPen", QT_TRANSLATE_NOOP("QMWidgets::ImageNoteEditor", "Pen"), &ImageNoteEditor::slotSetPenTool, false},
    {"ImageNoteEditorEraser", QT_TRANSLATE_NOOP("QMWidgets::ImageNoteEditor", "Eraser"),
     &ImageNoteEditor::slotSetEraserTool, false},
    {"ImageNoteEditorHighlighter", QT_TRANSLATE_NOOP("QMWidgets::ImageNoteEditor", "Highlighter"),
     &ImageNoteEditor::slotSetHighlighterTool, false},
    {"ImageNoteEditorRectangle", QT_TRANSLATE_NOOP("QMWidgets::ImageNoteEditor", "Rectangle"),
     &ImageNoteEditor::slotSetRectangleTool, false},
    {"ImageNoteEditorFilledRectangle", QT_TRANSLATE_NOOP("QMWidgets::ImageNoteEditor", "Filled Rectangle"),
     &ImageNoteEditor::slotSetFilledRectangleTool, false},
    {"ImageNoteEditorOval", QT_TRANSLATE_NOOP("QMWidgets::ImageNoteEditor", "Oval"), &ImageNoteEditor::slotSetOvalTool,
     false},
    {"ImageNoteEditorBlur", QT_TRANSLATE_NOOP("QMWidgets::ImageNoteEditor", "Blur"),
     &ImageNoteEditor::slotSetBlurRectangleTool, false},
    {"ImageNoteEditorFilledOval", QT_TRANSLATE_NOOP("QMWidgets::ImageNoteEditor", "Filled Oval"),
     &ImageNoteEditor::slotSetFilledOvalTool, true},
    {"ImageNoteEditorLine", QT_TRANSLATE_NOOP("QMWidgets::ImageNoteEditor", "Line"), &ImageNoteEditor::slotSetLineTool,
     false},
    {"ImageNoteEditorArrow", QT_TRANSLATE_NOOP("QMWidgets::ImageNoteEditor", "Arrow"),
     &ImageNoteEditor::slotSetArrowTool, false},
    {"ImageNoteEditorText", QT_TRANSLATE_NOOP("QMWidgets::ImageNoteEditor", "Text"), &ImageNoteEditor::slotSetTextTool,
     false},
};

struct MenuTool
{
    const char *text;
    ImageNoteWorkArea::Mode mode;
};

// The hidden tool menu, in its own order; the texts are not translated.
const MenuTool s_menuTools[] = {
    {"Pen", ImageNoteWorkArea::Pen},
    {"Eraser", ImageNoteWorkArea::Eraser},
    {"Highlighter", ImageNoteWorkArea::Highlighter},
    {"Line", ImageNoteWorkArea::Line},
    {"Rectangle", ImageNoteWorkArea::Rectangle},
    {"Filled Rectangle", ImageNoteWorkArea::FilledRectangle},
    {"Blur", ImageNoteWorkArea::BlurRectangle},
    {"Oval", ImageNoteWorkArea::Oval},
    {"Filled Oval", ImageNoteWorkArea::FilledOval},
    {"Text", ImageNoteWorkArea::Text},
    {"Arrow", ImageNoteWorkArea::Arrow},
};

const int s_thicknesses[] = {1, 2, 3, 4, 5, 10, 15};

QHBoxLayout *tightRow()
{
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    return row;
}

QPushButton *topBarButton(const QString &objectName, const QString &toolTip)
{
    auto *button = new QPushButton;
    setNameAndToolTip(button, objectName, toolTip);
    button->setFlat(true);
    return button;
}

} // namespace

ImageNoteEditor::ImageNoteEditor(QWidget *parent)
    : QFrame(parent)
    , m_workArea(new ImageNoteWorkArea)
    , m_scrollArea(new QScrollArea)
    , m_sideBar(nullptr)
    , m_dragPreview(new NoteEditDragPreview)
{
    auto *newScreenShot = new QPushButton(QStringLiteral("New\nScreen\nShot"));
    newScreenShot->setObjectName(QStringLiteral("NewScreenShowButton"));
    newScreenShot->setFixedSize(64, 64);
    connect(newScreenShot, SIGNAL(clicked()), this, SLOT(slotNewScreenShot()));

    m_scrollArea->setWidget(m_workArea);
    m_dragPreview->setToolTip(tr("Drag&Drop this into Skype, Mail, GoogleDrive-Folder etc."));
    connect(m_workArea, SIGNAL(changed()), this, SLOT(slotChanged()));
    connect(m_workArea, SIGNAL(changed()), this, SIGNAL(changed()));

    // Carries the tool menu without being shown; a child so that it goes with the editor.
    auto *toolMenuButton = new QPushButton(QStringLiteral("DRA"), this);
    toolMenuButton->hide();
    toolMenuButton->setFlat(true);

    auto *thickness = topBarButton(QStringLiteral("ImageNoteEditorThikness"), QString());
    auto *undo = topBarButton(QStringLiteral("ImageNoteEditorUndo"), tr("Undo"));
    auto *redo = topBarButton(QStringLiteral("ImageNoteEditorRedo"), tr("Redo"));
    auto *save = topBarButton(QStringLiteral("ImageNoteEditorSave"), tr("Save"));
    auto *moreApps = new MoreAppsButton;
    moreApps->setObjectName(QStringLiteral("ImageNoteEditorMoreApps"));
    moreApps->setToolTip(tr("MoreApps"));
    moreApps->setFlat(true);
    moreApps->hide();
    auto *appButton = new AppButton;
    appButton->setObjectName(QStringLiteral("ImageNoteEditorApp"));
    appButton->setToolTip(tr("App"));
    appButton->setFlat(true);
    appButton->hideSupportPageAction();
    appButton->hideIntroAction();
    auto *quit = topBarButton(QStringLiteral("ImageNoteEditorQuit"), tr("Quit"));
    connect(undo, SIGNAL(clicked()), m_workArea, SLOT(slotUndo()));
    connect(redo, SIGNAL(clicked()), m_workArea, SLOT(slotRedo()));
    connect(save, SIGNAL(clicked()), m_workArea, SLOT(slotSave()));
    connect(appButton, SIGNAL(quitPressed()), this, SLOT(slotQuitClicked()));
    connect(quit, SIGNAL(clicked()), this, SLOT(slotQuitClicked()));
    connect(m_workArea, SIGNAL(undoAvailable(bool)), undo, SLOT(setEnabled(bool)));
    connect(m_workArea, SIGNAL(redoAvailable(bool)), redo, SLOT(setEnabled(bool)));

    auto *colorWidget = new ColorWidget;
    colorWidget->setFixedSize(22, 22);
    colorWidget->setColor(Qt::yellow);
    connect(colorWidget, SIGNAL(colorChanged(QColor)), m_workArea, SLOT(slotSetColor(QColor)));

    auto *toolMenu = new QMenu(toolMenuButton);
    auto *tools = new QActionGroup(this);
    tools->setExclusive(true);
    for (const MenuTool &tool : s_menuTools) {
        QAction *action = tools->addAction(QString::fromLatin1(tool.text));
        action->setCheckable(true);
        action->setData(int(tool.mode));
        action->setChecked(tool.mode == ImageNoteWorkArea::Pen);
        toolMenu->addAction(action);
    }
    toolMenuButton->setMenu(toolMenu);
    connect(tools, SIGNAL(triggered(QAction *)), this, SLOT(slotSetDrawTool(QAction *)));

    auto *thicknessMenu = new QMenu(thickness);
    auto *widths = new QActionGroup(this);
    widths->setExclusive(true);
    for (int width : s_thicknesses) {
        const QString text = QStringLiteral("%1px").arg(width);
        QAction *action = widths->addAction(QIcon(QStringLiteral(":/") + text + QStringLiteral(".png")), text);
        action->setCheckable(true);
        action->setData(width);
        action->setChecked(width == 1);
        thicknessMenu->addAction(action);
    }
    connect(widths, SIGNAL(triggered(QAction *)), this, SLOT(slotSetThikness(QAction *)));
    thicknessMenu->addSeparator();
    auto *dash = new QAction(QIcon(QStringLiteral(":/dash.png")), QStringLiteral("Dash"), thicknessMenu);
    dash->setCheckable(true);
    dash->setChecked(false);
    connect(dash, SIGNAL(triggered(bool)), this, SLOT(slotSetDashLine(bool)));
    thicknessMenu->addAction(dash);
    thickness->setMenu(thicknessMenu);

    m_sideBar = new QFrame;
    auto *toolButtons = new QButtonGroup(this);
    toolButtons->setExclusive(true);
    auto *sideBarLayout = new QVBoxLayout;
    sideBarLayout->setSpacing(0);
    sideBarLayout->addWidget(m_dragPreview);
    sideBarLayout->addStretch(1);
    for (const SideBarTool &tool : s_sideBarTools) {
        auto *button = new QPushButton;
        setNameAndToolTip(button, QString::fromLatin1(tool.objectName), tr(tool.toolTip));
        button->setCheckable(true);
        button->setFixedSize(32, 32);
        button->setFlat(true);
        toolButtons->addButton(button);
        button->setChecked(tool.slot == &ImageNoteEditor::slotSetPenTool);
        button->setHidden(tool.hidden);
        connect(button, &QPushButton::clicked, this, tool.slot);
        sideBarLayout->addWidget(button);
    }
    sideBarLayout->addStretch(1);
    sideBarLayout->addWidget(newScreenShot);
    m_sideBar->setLayout(sideBarLayout);

    auto *colorDecor = new QWidget;
    colorDecor->setObjectName(QStringLiteral("ImageNoteEditorColorDecor"));
    auto *colorDecorLayout = new QHBoxLayout;
    colorDecorLayout->setContentsMargins(5, 5, 5, 5);
    colorDecorLayout->addWidget(colorWidget);
    colorDecor->setLayout(colorDecorLayout);

    QHBoxLayout *drawing = tightRow();
    drawing->addWidget(colorDecor);
    drawing->addWidget(thickness);
    QHBoxLayout *history = tightRow();
    history->addWidget(undo);
    history->addWidget(redo);
    QHBoxLayout *application = tightRow();
    application->addWidget(save);
    application->addWidget(moreApps);
    application->addWidget(appButton);
    application->addWidget(quit);
    auto *topBar = new QHBoxLayout;
    topBar->setContentsMargins(12, 12, 12, 12);
    topBar->setSpacing(5);
    topBar->addLayout(drawing);
    topBar->addStretch(1);
    topBar->addLayout(history);
    topBar->addStretch(1);
    topBar->addLayout(application);

    auto *column = new QVBoxLayout;
    column->addLayout(topBar);
    column->addWidget(m_scrollArea);
    auto *layout = tightRow();
    layout->addWidget(m_sideBar);
    layout->addLayout(column);
    setLayout(layout);
}

void ImageNoteEditor::slotSetPixmap(const QPixmap &pixmap)
{
    const double scale = screenScaleFactor();
    const QSize scaledSize(qFloor(pixmap.width() / scale + 0.5), qFloor(pixmap.height() / scale + 0.5));
    const QPixmap scaled = pixmap.scaled(scaledSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    const QSize desktop = QApplication::desktop()->size();
    const QSize limit(int(desktop.width() / 1.5), int(desktop.height() / 1.5));
    const QSize wanted(scaled.width() + 100, scaled.height() + 90);
    if (wanted.width() > limit.width() || wanted.height() > limit.height())
        resize(limit);
    else
        resize(wanted);

    m_workArea->slotSetPixmap(scaled);
    m_dragPreview->slotSetPixmap(scaled);
}

void ImageNoteEditor::slotAbout()
{
    QMessageBox::about(this, QStringLiteral("About"), QStringLiteral("Note Editor"));
}

void ImageNoteEditor::slotSetThikness(QAction *action)
{
    if (action)
        m_workArea->slotSetThikness(action->data().toInt());
}

void ImageNoteEditor::slotSetDashLine(bool on)
{
    m_workArea->slotSetDashLine(on);
}

void ImageNoteEditor::slotSetDrawTool(QAction *action)
{
    if (action)
        m_workArea->slotSetMode(ImageNoteWorkArea::Mode(action->data().toInt()));
}

void ImageNoteEditor::slotSetFont()
{
    bool ok = false;
    // The dialog has no parent and outlives the editor if it goes meanwhile: then the font has nowhere to go.
    const QPointer<ImageNoteEditor> alive(this);
    const QFont font = QFontDialog::getFont(&ok);
    if (ok && alive)
        m_workArea->slotSetFont(font);
}

void ImageNoteEditor::slotSetPenTool()
{
    m_workArea->slotSetMode(ImageNoteWorkArea::Pen);
}

void ImageNoteEditor::slotSetEraserTool()
{
    m_workArea->slotSetMode(ImageNoteWorkArea::Eraser);
}

void ImageNoteEditor::slotSetHighlighterTool()
{
    m_workArea->slotSetMode(ImageNoteWorkArea::Highlighter);
}

void ImageNoteEditor::slotSetRectangleTool()
{
    m_workArea->slotSetMode(ImageNoteWorkArea::Rectangle);
}

void ImageNoteEditor::slotSetFilledRectangleTool()
{
    m_workArea->slotSetMode(ImageNoteWorkArea::FilledRectangle);
}

void ImageNoteEditor::slotSetBlurRectangleTool()
{
    m_workArea->slotSetMode(ImageNoteWorkArea::BlurRectangle);
}

void ImageNoteEditor::slotSetOvalTool()
{
    m_workArea->slotSetMode(ImageNoteWorkArea::Oval);
}

void ImageNoteEditor::slotSetFilledOvalTool()
{
    m_workArea->slotSetMode(ImageNoteWorkArea::FilledOval);
}

void ImageNoteEditor::slotSetLineTool()
{
    m_workArea->slotSetMode(ImageNoteWorkArea::Line);
}

void ImageNoteEditor::slotSetArrowTool()
{
    m_workArea->slotSetMode(ImageNoteWorkArea::Arrow);
}

void ImageNoteEditor::slotSetTextTool()
{
    m_workArea->slotSetMode(ImageNoteWorkArea::Text);
}

void ImageNoteEditor::slotChanged()
{
    // The thumbnail lets go of the picture first: while it shares it, bringing the picture up to date
    // would copy all of it, a long wait on a very large picture.
    m_dragPreview->slotSetPixmap(QPixmap());
    m_dragPreview->slotSetPixmap(m_workArea->composedPixmap());
}

void ImageNoteEditor::slotNewScreenShot()
{
    if (m_workArea->isModified()) {
        const int answer = MMessageBox::information(
            this, QString(),
            tr("The changes of the curent image are not saved.\nAfter creation of the new screen shot these changes "
               "will be lost.\nContinue?"),
            QMessageBox::Yes | QMessageBox::No);
        // A box closed without an answer keeps the work, as No does.
        if (answer != QMessageBox::Yes)
            return;
    }
    hide();
    emit doNewScreenShot();
}

void ImageNoteEditor::slotQuitClicked()
{
    if (m_workArea->isModified()) {
        const int answer = MMessageBox::information(
            this, QString(), tr("The changes of the curent image are not saved.\nQuit anyway?"),
            QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;
    }
    quitApplication();
}

void ImageNoteEditor::quitApplication()
{
    QCoreApplication::quit();
}

void ImageNoteEditor::closeEvent(QCloseEvent *event)
{
    if (!m_workArea->isModified())
        return;
    // The editor deleted while it asks, or while it saves, is gone: nothing of it is touched again.
    const QPointer<ImageNoteEditor> alive(this);
    const int answer = MMessageBox::information(this, QString(),
                                                tr("Do you want to save the current changes to the file?"),
                                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (!alive)
        return;
    if (answer == QMessageBox::Yes) {
        // The window stays open after saving, whether or not the save went through.
        m_workArea->slotSave();
        if (!alive)
            return;
        event->ignore();
        show();
    } else if (answer == QMessageBox::No) {
        event->accept();
    } else {
        show();
        event->ignore();
    }
}

void ImageNoteEditor::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    emit shown();
}

} // namespace QMWidgets
