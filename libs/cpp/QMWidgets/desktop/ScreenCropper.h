#pragma once

#include "QMWidgets/app/OverrideCursor.h"

#include <QFrame>
#include <QPixmap>
#include <QRect>

class QPainter;

namespace QMWidgets {

// Shows a picture of the whole desktop in a full-screen window, lets the user drag a rectangle over
// it and hands the piece under that rectangle over in done(QPixmap); slotSave writes the piece as a
// time-stamped PNG file.
class ScreenCropper : public QFrame
{
    Q_OBJECT

public:
    explicit ScreenCropper(QWidget *parent = nullptr);
    ~ScreenCropper() override;

    // Chooses the folder for saved pieces and the words the help text names it with.
    virtual void saveLocation();

    void setHelpText(const QString &text);
    // 0 full screen, 1 maximised, anything else a normal window.
    void setDisplayMode(int mode);
    QPixmap pixmap() const;
    void refreshDisplay();
    QString helpText() const;
    QString shortHelpText() const;

signals:
    void done();
    void done(QPixmap piece);
    void saved();
    void closed();
    void escaped();

public slots:
    virtual void grabScreen();
    virtual void slotClose();
    void slotSave();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

    void showByDisplayMode();
    // The selection as a rectangle of the desktop picture, never empty while there is a picture.
    QRect selectionOnPicture() const;
    // The help text in a rounded box centred in the window; sideDivisor sets the box's side margins.
    void paintHelpBox(QPainter &painter, int pixelSize, double sideDivisor);
    // The tool keeps at most one cursor of its own on the application's override stack and takes it
    // off when its window goes, so the rest of the program never keeps a cross it did not ask for.
    void setToolCursor(Qt::CursorShape shape);
    void releaseToolCursor();

    QPixmap m_screen;
    bool m_selecting = false;
    // Press point and latest point, in that order; not normalised.
    QRect m_selection;
    QString m_saveDirectory;
    QString m_locationWord;
    QString m_helpText;
    QPixmap m_cropped;
    bool m_revealAfterSave = false;
    int m_displayMode = 0;
    QPixmap m_displayedPicture;
    double m_measureScale = 1.0;

private:
    OverrideCursor m_toolCursor;
};

} // namespace QMWidgets
