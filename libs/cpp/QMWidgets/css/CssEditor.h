#pragma once

#include <QMainWindow>

namespace QMWidgets {

class CssDoc;

// A live style-sheet editor: applies the text to the whole application, resets it, loads and saves it,
// and labels every named widget's tool tip with its class and object name to help find selectors.
class CssEditor : public QMainWindow
{
    Q_OBJECT

public:
    explicit CssEditor(QWidget *parent = nullptr);

    CssDoc *doc() const;

public slots:
    void slotApply();
    void slotAbout();
    void slotReset();
    void slotChangeWindowTitle(const QString &title);
    void slotApplyToolTipsInfo();

private:
    CssDoc *m_doc;
};

} // namespace QMWidgets
