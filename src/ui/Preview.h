#pragma once

#include "PreviewBackground.h"
#include "PreviewRenderer.h"

#include <QWidget>

class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QRadioButton;
class QSplitter;
class QToolButton;
class TPreviewImage;
class TSubtitleItem;

// The subtitle preview of the editor pages, top to bottom: the background choice bar
// (pnColor with rbBkgWhite, rbBkgBlack, rbBkgYellow, black at first, and beside them
// lbFontNotice, which names the face that measures the item when its font is not
// installed), the picture area (pnPreview holding imPreview), the splitter spPreview
// and the test bar (pnTestInput holding pnNavigation with btUp and btDown, and the test
// memo meTest).
//
// The page connects to the frame's signals: BackgroundClicked when any background
// button is clicked, TestTextChanged when the memo's text changes, UpClicked and
// DownClicked when btUp or btDown is clicked (also by Ctrl+Up / Ctrl+Down in the memo).
class TFrPreview : public QWidget
{
    Q_OBJECT

public:
    explicit TFrPreview(QWidget* Parent = nullptr);

    QRadioButton* rbBkgWhite() const { return FRbBkgWhite; }
    QRadioButton* rbBkgBlack() const { return FRbBkgBlack; }
    QRadioButton* rbBkgYellow() const { return FRbBkgYellow; }
    QToolButton* btUp() const { return FBtUp; }
    QToolButton* btDown() const { return FBtDown; }
    QPlainTextEdit* meTest() const { return FMeTest; }
    TPreviewImage* imPreview() const { return FImPreview; }
    QLabel* lbFontNotice() const { return FLbFontNotice; }

    // The memo's text with CR LF line breaks, as subtitles hold them.
    QString TestText() const;
    // Writes the memo without raising TestTextChanged, so that showing a text neither
    // redraws the preview nor writes anything back.
    void SetTestText(const QString& Text);
    // White or black when that button is checked, otherwise yellow.
    TPreviewBackground Background() const;

    // The documents page has no titles to step through and shows a notice that reads
    // better unwrapped.
    void SetNavigationVisible(bool Visible);
    void SetTestWordWrap(bool Wrap);

    // Renders Item with the memo's text over the chosen background and hands the
    // picture to imPreview in one step; no item empties it. A frame size the renderer
    // refuses shows a notice instead of a picture. The font notice follows the item.
    void DrawPreview(const TSubtitleItem* Item);
    // The layout of the last picture drawn.
    const TPreviewRenderer& Renderer() const { return FRenderer; }

signals:
    void BackgroundClicked();
    void TestTextChanged();
    void UpClicked();
    void DownClicked();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // Ctrl+Up / Ctrl+Down (Ctrl alone) click btUp / btDown; the memo still gets the key
    // and its caret moves a line.
    void meTestKeyDown(const QKeyEvent& Event);
    void ShowFontNotice(const TSubtitleItem* Item);
    // The notice fills the bar to the right of the buttons; a bar too narrow for it
    // shows as much as fits and the whole in its tooltip.
    void PlaceFontNotice();

    QWidget* FPnColor = nullptr;
    QRadioButton* FRbBkgWhite = nullptr;
    QRadioButton* FRbBkgBlack = nullptr;
    QRadioButton* FRbBkgYellow = nullptr;
    QSplitter* FSpPreview = nullptr;
    QWidget* FPnNavigation = nullptr;
    QToolButton* FBtUp = nullptr;
    QToolButton* FBtDown = nullptr;
    QPlainTextEdit* FMeTest = nullptr;
    TPreviewImage* FImPreview = nullptr;
    QLabel* FLbFontNotice = nullptr;
    QString FFontNotice;
    TPreviewRenderer FRenderer;
};
