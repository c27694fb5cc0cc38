#include "QMWidgets/desktop/ScreenCropper.h"

#include "MGraphX/ImageWriting.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/MMessageBox.h"
#include "QMWidgets/app/Os.h"
#include "QMWidgets/style/StyleHelpers.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QStandardPaths>

#include <cmath>

namespace QMWidgets {

namespace {
// Room between the help text and its box's border, and between the box and the window's edge.
const int HelpBoxPadding = 8;
}

ScreenCropper::ScreenCropper(QWidget *parent)
    : QFrame(parent)
{
    auto *closeAction = new QAction(QStringLiteral("Close"), this);
    closeAction->setShortcut(Qt::Key_Escape);
    addAction(closeAction);
    connect(closeAction, SIGNAL(triggered()), this, SLOT(slotClose()));
    connect(closeAction, SIGNAL(triggered()), this, SIGNAL(escaped()));

    // Chosen now, not only at a language change: otherwise the help text names no place and a save
    // goes to the root of the file system. Not through the virtual call, which cannot reach an
    // override from here anyway.
    ScreenCropper::saveLocation();
}

ScreenCropper::~ScreenCropper()
{
    releaseToolCursor();
}

void ScreenCropper::saveLocation()
{
    const QString desktop = QStandardPaths::standardLocations(QStandardPaths::DesktopLocation).value(0);
    if (!desktop.isEmpty() && QDir(desktop).exists()) {
        m_saveDirectory = desktop;
        m_locationWord = tr("on Desktop");
    } else {
        m_saveDirectory = QStandardPaths::standardLocations(QStandardPaths::HomeLocation).value(0);
        m_locationWord = tr("in Home Location");
    }
}

void ScreenCropper::setHelpText(const QString &text)
{
    m_helpText = text;
}

void ScreenCropper::setDisplayMode(int mode)
{
    m_displayMode = mode;
}

QPixmap ScreenCropper::pixmap() const
{
    return m_cropped;
}

void ScreenCropper::refreshDisplay()
{
    m_displayedPicture = m_screen;
}

QString ScreenCropper::helpText() const
{
    return tr("Select the area you want to crop.\n") + tr("The image file will be saved ") + m_locationWord
           + QLatin1Char('\n') + tr("Hold [ALT] to go, after screenshot is done, to its location\n")
           + tr("Press [A] to see about dialog\n") + tr("Press [ESC] to cancel this operation");
}

QString ScreenCropper::shortHelpText() const
{
    return tr("Select the area you want to crop. \n") + tr("(to cancel this operation press ESC button)");
}

void ScreenCropper::showByDisplayMode()
{
    if (m_displayMode == 0)
        showFullScreen();
    else if (m_displayMode == 1)
        showMaximized();
    else
        show();
}

void ScreenCropper::setToolCursor(Qt::CursorShape shape)
{
    m_toolCursor.set(QCursor(shape));
}

void ScreenCropper::releaseToolCursor()
{
    m_toolCursor.release();
}

void ScreenCropper::grabScreen()
{
    m_selecting = false;
    m_screen = grabDesktop();
    showByDisplayMode();
    raise();
    activateWindow();
    m_displayedPicture = m_screen;
    repaint();
    setFocus(Qt::OtherFocusReason);
    setCursor(Qt::CrossCursor);
    setToolCursor(Qt::CrossCursor);
}

void ScreenCropper::slotClose()
{
    releaseToolCursor();
    m_selecting = false;
    showByDisplayMode();
    hide();
    emit closed();
}

void ScreenCropper::slotSave()
{
    const QString fileName = m_saveDirectory + QStringLiteral("/ScreenShot_")
                             + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss"))
                             + QStringLiteral(".png");
    QString reason;
    if (!MGraphX::writeImageSafely(fileName, m_cropped.toImage(), "PNG", -1, &reason)) {
        MMessageBox::warning(nullptr, tr("Screen Shot"),
                             tr("The screen shot could not be saved to %1: %2.")
                                 .arg(QDir::toNativeSeparators(fileName), reason),
                             QMessageBox::Ok);
        return;
    }
    if (m_revealAfterSave)
        revealInFileManager(fileName);
    emit saved();
}

void ScreenCropper::mousePressEvent(QMouseEvent *event)
{
    const QPoint point = event->localPos().toPoint();
    m_selection.setTopLeft(point);
    m_selection.setBottomRight(point);
    m_selecting = true;
    QFrame::mousePressEvent(event);
    repaint();
}

void ScreenCropper::mouseMoveEvent(QMouseEvent *event)
{
    QFrame::mouseMoveEvent(event);
    m_selection.setBottomRight(event->localPos().toPoint());
    repaint();
}

void ScreenCropper::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->modifiers() & Qt::AltModifier)
        m_revealAfterSave = true;
    QFrame::mouseReleaseEvent(event);

    m_cropped = m_screen.copy(selectionOnPicture());

    // An owner may delete the cropper on any of these signals: the piece goes out as a copy, and nothing
    // of the cropper is touched once it is gone.
    const QPixmap cropped = m_cropped;
    const QPointer<ScreenCropper> alive(this);
    slotClose();
    if (alive)
        emit done(cropped);
    if (alive)
        emit done();
    // Taken, so that nothing passes the release on through a deleted cropper.
    if (!alive)
        event->accept();
}

// The picture is drawn stretched over the whole window, which is not the screen's size in a normal or
// maximised window, nor in a full-screen one the window manager did not honour, nor at a scale factor:
// the window's pixels under the selection are mapped to the picture's. The selection holds at least
// one pixel, since copy() of an empty rectangle gives the whole desktop.
QRect ScreenCropper::selectionOnPicture() const
{
    const QRect window = rect();
    if (window.isEmpty() || m_screen.isNull())
        return QRect();
    const int left = qBound(0, qMin(m_selection.left(), m_selection.right()), window.width() - 1);
    const int right = qBound(0, qMax(m_selection.left(), m_selection.right()), window.width() - 1);
    const int top = qBound(0, qMin(m_selection.top(), m_selection.bottom()), window.height() - 1);
    const int bottom = qBound(0, qMax(m_selection.top(), m_selection.bottom()), window.height() - 1);
    const qreal xScale = qreal(m_screen.width()) / window.width();
    const qreal yScale = qreal(m_screen.height()) / window.height();
    const int pictureLeft = int(std::floor(left * xScale));
    const int pictureTop = int(std::floor(top * yScale));
    const int pictureRight = qMax(pictureLeft + 1, int(std::ceil((right + 1) * xScale)));
    const int pictureBottom = qMax(pictureTop + 1, int(std::ceil((bottom + 1) * yScale)));
    return QRect(pictureLeft, pictureTop, pictureRight - pictureLeft, pictureBottom - pictureTop);
}

void ScreenCropper::keyPressEvent(QKeyEvent *event)
{
    QFrame::keyPressEvent(event);
    if (event->key() == Qt::Key_Return)
        m_revealAfterSave = true;
    else if (event->key() == Qt::Key_A)
        App::instance()->slotAbout();
}

void ScreenCropper::paintEvent(QPaintEvent *)
{
    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);

    const QPen framePen(QBrush(QColor(255, 255, 255, 128)), 7, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    painter.setPen(framePen);
    painter.setBrush(QColor(0, 0, 0, 255));
    painter.drawRect(QRect(QPoint(0, 0), QPoint(w, h)));
    painter.drawPixmap(QRect(0, 0, w, h), m_displayedPicture);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(0, 0), QPoint(w - 1, h - 1)));

    if (m_selecting) {
        painter.setPen(QPen(QBrush(QColor(210, 210, 210, 255)), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter.setBrush(QColor(10, 10, 80, 100));
        painter.drawRect(m_selection);
        return;
    }

    painter.setRenderHint(QPainter::Antialiasing, true);
    paintHelpBox(painter, 20, 3.7);
}

void ScreenCropper::paintHelpBox(QPainter &painter, int pixelSize, double sideDivisor)
{
    const QString text = m_helpText.isEmpty() ? helpText() : m_helpText;
    const int flags = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap;
    QFont helpFont = font();
    const int w = width();
    const int h = height();
    const int mx = int(w / sideDivisor);
    const int my = int(h / 2.5);
    QRect box(QPoint(mx, my), QPoint(w - 1 - mx, h - 1 - my));

    // The box's proportions suit a large screen; in a smaller window they cut the text off at top and
    // bottom. The box then grows to hold the text, first in height, then across the window, up to two
    // thirds of the window's height so that the desktop stays in sight; beyond that the text gets smaller.
    QRect room(0, 0, w - 2 * HelpBoxPadding, qMin(h - 2 * HelpBoxPadding, h * 2 / 3));
    room.moveCenter(rect().center());
    const auto fits = [&](int boxWidth, QRect *fitted) {
        const QRect textArea(0, 0, boxWidth - 2 * HelpBoxPadding, room.height() - 2 * HelpBoxPadding);
        const QRect needed = QFontMetrics(helpFont).boundingRect(textArea, flags, text);
        if (needed.width() > textArea.width() || needed.height() > textArea.height())
            return false;
        const int boxHeight = qMax(box.height(), needed.height() + 2 * HelpBoxPadding);
        *fitted = QRect(0, 0, boxWidth, qMin(boxHeight, room.height()));
        fitted->moveCenter(box.center());
        return true;
    };
    for (int size = pixelSize; size >= 1; --size) {
        helpFont.setPixelSize(size);
        QRect fitted;
        if (fits(box.width(), &fitted) || fits(room.width(), &fitted) || size == 1) {
            if (fitted.isValid())
                box = fitted;
            break;
        }
    }

    painter.setFont(helpFont);
    painter.setPen(QPen(QBrush(QColor(200, 200, 200, 255)), 4, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setBrush(QColor(0, 0, 0, 180));
    painter.drawRoundedRect(box, 5, 20, Qt::RelativeSize);
    painter.drawText(box.adjusted(HelpBoxPadding, HelpBoxPadding, -HelpBoxPadding, -HelpBoxPadding), flags, text);
}

void ScreenCropper::resizeEvent(QResizeEvent *)
{
    m_displayedPicture = m_screen;
}

void ScreenCropper::closeEvent(QCloseEvent *event)
{
    event->ignore();
    hide();
}

void ScreenCropper::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
}

void ScreenCropper::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        saveLocation();
}

} // namespace QMWidgets
