#include "PreviewImage.h"

#include "InterfaceFont.h"
#include "Palette.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

TPreviewImage::TPreviewImage(QWidget* Parent)
    : QWidget(Parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPreviewImage::SetPicture(const QImage& Picture, const QString& Notice)
{
    if (Picture.cacheKey() == FPicture.cacheKey() && Notice == FNotice)
        return;
    FPicture = Picture;
    FNotice = Notice;
    FScaled = QImage();
    update();
}

QRect TPreviewImage::DisplayRect(QSize Picture, QSize Area)
{
    const int PictureWidth = Picture.width();
    const int PictureHeight = Picture.height();
    const int AreaWidth = std::max(0, Area.width());
    const int AreaHeight = std::max(0, Area.height());
    if (PictureWidth <= 0 || PictureHeight <= 0)
        return QRect();
    int Width = PictureWidth;
    int Height = PictureHeight;
    if (PictureWidth > AreaWidth || PictureHeight > AreaHeight) {
        const double Ratio = double(PictureWidth) / double(PictureHeight);
        if (PictureWidth > PictureHeight) {
            Width = AreaWidth;
            Height = int(std::trunc(AreaWidth / Ratio));
            if (Height > AreaHeight) {
                Height = AreaHeight;
                Width = int(std::trunc(AreaHeight * Ratio));
            }
        } else {
            Height = AreaHeight;
            Width = int(std::trunc(AreaHeight * Ratio));
            if (Width > AreaWidth) {
                Width = AreaWidth;
                Height = int(std::trunc(AreaWidth / Ratio));
            }
        }
    }
    return QRect((AreaWidth - Width) / 2, (AreaHeight - Height) / 2, Width, Height);
}

const QImage& TPreviewImage::Shown(QSize Size)
{
    if (Size == FPicture.size())
        return FPicture;
    if (FScaled.size() != Size)
        FScaled = FPicture.scaled(Size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return FScaled;
}

void TPreviewImage::paintEvent(QPaintEvent* Event)
{
    QPainter Painter(this);
    Painter.fillRect(Event->rect(), Palette::PreviewArea.Color());
    if (!FPicture.isNull()) {
        const QRect Target = DisplayRect(FPicture.size(), size());
        if (!Target.isEmpty())
            Painter.drawImage(Target.topLeft(), Shown(Target.size()));
        return;
    }
    if (FNotice.isEmpty())
        return;
    Painter.setFont(TInterfaceFont::Font(11));
    Painter.setPen(Palette::LightText.Color());
    Painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, FNotice);
}
