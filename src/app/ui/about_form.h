#pragma once
// The about box: made hidden at start-up, shown by the menu, hidden by "OK".

#include <QUrl>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QFrame;

namespace aqualen::ui {

class TAboutForm : public QWidget {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* owner);

    // How the site link is opened; the default asks the desktop's browser.
    using UrlOpener = std::function<void(const QUrl&)>;
    void SetUrlOpener(UrlOpener opener) { openUrl_ = std::move(opener); }
    static QUrl SiteAddress();

    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* hrefLabel = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* OkBtn = nullptr;

public slots:
    void hrefLabelClick();
    void OkBtnClick();

protected:
    // Opens centred on the screen, wherever the window system would put it.
    void showEvent(QShowEvent* event) override;
    // Esc closes the box, as "OK" does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    UrlOpener openUrl_;
};

} // namespace aqualen::ui
