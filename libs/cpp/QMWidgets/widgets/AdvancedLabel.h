#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace QMWidgets {

// A clickable picture tile with an optional caption; the picture brightens while the pointer is over it.
class AdvancedLabel : public QWidget
{
    Q_OBJECT

public:
    explicit AdvancedLabel(QWidget *parent = nullptr);

    void setText(const QString &text);
    void setPixmap(const QPixmap &pixmap);
    void setMargin(int margin);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QPixmap m_pixmap;
    int m_margin = 0;
    bool m_hovered = false;
    QImage m_hoverImage; // the brightened picture, kept while the pointer stays over the tile
};

} // namespace QMWidgets
