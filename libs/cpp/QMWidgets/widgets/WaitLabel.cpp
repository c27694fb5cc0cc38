#include "QMWidgets/widgets/WaitLabel.h"

#include <QMovie>
#include <QVBoxLayout>

namespace QMWidgets {

WaitLabel::WaitLabel(const QString &text, QWidget *parent)
    : QLabel(parent)
    , m_movie(new QMovie(QStringLiteral(":/pix/loading.gif")))
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowOpacity(0.5);
    setText(text);
    setFixedSize(width(), 300);

    auto *animation = new QLabel;
    animation->setMovie(m_movie.get());
    m_movie->start();
    animation->setFixedSize(m_movie->currentPixmap().size() + QSize(5, 5));

    auto *layout = new QVBoxLayout;
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(10);
    // The animation at the top and the message at the bottom: both centred, the animation covered the message.
    setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    setMargin(20);
    layout->addWidget(animation, 0, Qt::AlignHCenter | Qt::AlignTop);
    setLayout(layout);
}

WaitLabel::~WaitLabel() = default;

} // namespace QMWidgets
