#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QMovie;
class QTimer;

namespace QMWidgets {

// A frameless, slightly transparent dialog with the loading animation and a text. It accepts itself
// 10 seconds after each show unless it is hidden first.
class UpdateIndicationDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UpdateIndicationDialog(QWidget *parent = nullptr);
    ~UpdateIndicationDialog() override;

    void setText(const QString &text);

public slots:
    void slotTimeOut();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QLabel *m_movieLabel = nullptr;
    QLabel *m_textLabel = nullptr;
    std::unique_ptr<QMovie> m_movie;
    QTimer *m_timer = nullptr;
};

} // namespace QMWidgets
