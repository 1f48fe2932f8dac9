#pragma once

#include "InspectorSelection.h"
#include "PropertyEditStyle.h"

#include <QString>
#include <QWidget>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QSplitter;
class TObservableObject;
class TPropertyGrid;

// The property inspector: one row per published property of the selected objects
// (document items or subtitle items), ordered by the attribute file's Index, with the
// description and default of the current row below. A value on which the objects
// disagree is shown empty; an edited value is offered to every object's validation and
// then written to all of them.
class TFrObjectInspector : public QWidget
{
    Q_OBJECT

public:
    explicit TFrObjectInspector(QWidget* Parent = nullptr);
    ~TFrObjectInspector() override;

    // A null Obj is ignored, an object already selected is not added again.
    void AddObject(TObservableObject* Obj, bool Rebuild);
    void ClearObjects(bool Rebuild);
    TObservableObject* FirstObject() const;
    // Rebuilds the caption and the rows from the selected objects.
    void RefreshProperties();

    // The grid's events.
    //
    // Validate offers KeyValue to every selected object, then writes it into all of them
    // and into the cell. A rejected value (or one that does not convert) is explained in
    // an error box, the cell shows its old text again, nothing is written, and EAbort is
    // raised, so that a caller's following steps (the page's preview refresh) do not run.
    void vlObjectInspectorValidate(int ACol, int ARow, const QString& KeyName, const QString& KeyValue);
    // Opens the dialog of the current row's type; on OK writes the cell and validates it
    // (the same EAbort on rejection). An unknown property raises EError.
    void vlObjectInspectorEditButtonClick();
    // The editor of the named property's value cell; EError when nothing is selected.
    TPropertyEditStyle vlObjectInspectorGetPickList(const QString& KeyName);
    // Shows the description and default of the row.
    void vlObjectInspectorSelectCell(int ACol, int ARow);

    // A page points the grid's events to its own handlers, which call the two handlers
    // above and then redraw the preview. Unset, the frame's own handlers run. Either way
    // they run through the general error handler.
    void SetOnValidate(std::function<void(int ACol, int ARow, const QString& KeyName, const QString& KeyValue)> Handler);
    void SetOnEditButtonClick(std::function<void()> Handler);

    void SetDescriptionHeight(int Pixels);
    // The description memo exactly as high as Lines lines of its text, in whatever face
    // the desktop gives it, the face that shows its Chinese characters included.
    void SetDescriptionLines(int Lines);
    // The value column fills the rest of the grid's width.
    void SetKeyColumnWidth(int Pixels);

protected:
    void resizeEvent(QResizeEvent* Event) override;

private:
    void GridValidate(int ACol, int ARow, const QString& KeyName, const QString& KeyValue);
    void GridEditButtonClick();
    void ApplyDescriptionHeight();
    // The new text the row's dialog gives, or nothing when the user cancels.
    bool ChooseColor(const QString& Current, QString& Chosen);
    bool ChooseFile(const QString& Current, QString& Chosen);
    bool ChooseDirectory(const QString& Current, QString& Chosen);

    TInspectorSelection FSelection;
    QWidget* pnInfo;
    QLabel* lbInfo;
    QSplitter* spObjectInspector;
    TPropertyGrid* vlObjectInspector;
    QPlainTextEdit* meDescription;
    std::function<void(int, int, const QString&, const QString&)> FOnValidate;
    std::function<void()> FOnEditButtonClick;
    int FDescriptionHeight;
    bool FDescriptionHeightApplied = false;
};
