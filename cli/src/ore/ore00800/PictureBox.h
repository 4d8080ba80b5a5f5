#pragma once

#include <QPixmap>
#include <QWidget>

// A picture drawn as it is, enabled or not: a disabled QLabel would grey it,
// and the error dialog's picture sits on a disabled panel.
class TPictureBox : public QWidget {
    Q_OBJECT
public:
    explicit TPictureBox(QWidget* parent = nullptr);

    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return m_picture; }
    QSize sizeHint() const override { return m_picture.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};
