#pragma once
// The client area of the main window: the background picture tiled over it, and a click on it that
// the window answers (it collapses the library tabs).
#include <QPixmap>
#include <QWidget>

// The 144 by 144 picture kept with the window.
QPixmap makeBackgroundPicture();

class Background : public QWidget {
    Q_OBJECT
public:
    explicit Background(QPixmap picture, QWidget* parent = nullptr);
    const QPixmap& picture() const { return picture_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
};
