#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

// The preview's picture area (imPreview): shows a picture at its own size when it fits,
// otherwise scaled down with its aspect ratio kept, centred either way, the rest in the
// preview area's colour. Without a picture it may show a short notice instead.
class TPreviewImage : public QWidget
{
    Q_OBJECT

public:
    explicit TPreviewImage(QWidget* Parent = nullptr);

    // Replaces picture and notice together, so the area changes in one paint.
    void SetPicture(const QImage& Picture, const QString& Notice = QString());
    const QImage& Picture() const { return FPicture; }
    const QString& Notice() const { return FNotice; }

    // Where a picture of size Picture is shown in an area of size Area. Scaling keeps the
    // ratio q = width / height and truncates the dependent side: a landscape picture
    // takes the area's width (height trunc(width / q)) unless that is too high, when it
    // takes the height instead (width trunc(height * q)); a portrait one the other way
    // round. The offset is half the remaining space, truncated.
    static QRect DisplayRect(QSize Picture, QSize Area);

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    // The picture at the size it is shown, kept while neither picture nor size change:
    // a repaint then only copies pixels.
    const QImage& Shown(QSize Size);

    QImage FPicture;
    QString FNotice;
    QImage FScaled;
};
