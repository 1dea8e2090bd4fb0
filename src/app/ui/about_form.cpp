#include "app/ui/about_form.h"

#include <QDesktopServices>
#include <QFontDatabase>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "series/ui/application_setup.h"
#include "series/ui/form_parts.h"
#include "series/ui/guarded.h"

namespace aqualen::ui {

namespace {

// A label that reports a click, for the site link.
class ClickableLabel final : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (onClick)
            onClick();
    }
};

QFont TahomaLike(int pixelSize)
{
    QFont font(WindowFamily());
    font.setPixelSize(pixelSize);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setFont(TahomaLike(11));
    label->move(x, y);
    label->adjustSize();
    return label;
}

} // namespace

QUrl TAboutForm::SiteAddress()
{
    return QUrl(QStringLiteral("https://aqualen.example.org/"));
}

TAboutForm::TAboutForm(QWidget* owner)
    : QWidget(owner, Qt::Dialog), openUrl_([](const QUrl& url) { QDesktopServices::openUrl(url); })
{
    setWindowTitle(QStringLiteral("О Программе"));
    setFixedSize(376, 280); // client area of a 384 x 309 window

    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(12, 12, 71, 71);
    Image1 = new QLabel(Panel1);
    Image1->setGeometry(1, 1, 69, 69);
    Image1->setPixmap(QPixmap(QStringLiteral(":/app/emblem.png")));

    Label1 = new QLabel(QStringLiteral("Aqualen 1.2   "), this);
    QFont title(QStringLiteral("Comic Sans MS"));
    title.setPixelSize(21);
    title.setBold(true);
    title.setItalic(true);
    Label1->setFont(title);
    Label1->move(100, 18);
    Label1->adjustSize();

    Label2 = MakeLabel(this, QStringLiteral("Статистика гидрологических рядов"), 100, 56);
    Label3 = MakeLabel(this, QStringLiteral("Разработка: команда проекта Aqualen"), 100, 74);
    Label4 = MakeLabel(this, QStringLiteral("Распространяется свободно"), 100, 92);
    Label5 = MakeLabel(this, QStringLiteral("Версия: 1.2.1"), 100, 118);
    Label6 = MakeLabel(this, QStringLiteral("Последняя редакция: 15 сентября 2008 г."), 100, 136);
    Label7 = MakeLabel(this, QStringLiteral("Официальный сайт:"), 24, 170);

    auto* link = new ClickableLabel(SiteAddress().toString(), this);
    link->setFont(TahomaLike(16));
    link->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    link->setCursor(Qt::PointingHandCursor);
    link->move(24, 190);
    link->adjustSize();
    link->onClick = [this] { hrefLabelClick(); };
    hrefLabel = link;

    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setGeometry(376 - 12 - 75, 280 - 12 - 25, 75, 25);
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &TAboutForm::OkBtnClick);
}

void TAboutForm::hrefLabelClick()
{
    RunGuarded(this, [this] { openUrl_(SiteAddress()); });
}

void TAboutForm::OkBtnClick()
{
    hide();
}

void TAboutForm::showEvent(QShowEvent* event)
{
    CentreOnScreen(*this);
    QWidget::showEvent(event);
}

void TAboutForm::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel)) {
        OkBtnClick();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace aqualen::ui
