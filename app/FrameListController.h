#pragma once
// The main window's frame list: the grid's rows in step with the store,
// the cells painted from the records, the selection, and the column limits.
// It is the list the commands see.
#include <functional>
#include <string>

#include "app/FrameListModel.h"
#include "app/MonitoringSession.h"
#include "options/DisplayOptions.h"
#include "store/FrameStore.h"
#include "ui/FrameListView.h"

class DialogHost;
class QPainter;
class QRect;
class StatusPanels;
class TDrawGrid;

class FrameListController : public FrameListView {
public:
    static constexpr int kMinColumnWidth = 30;

    // display is the window's copy of the display options, kept current.
    FrameListController(TDrawGrid& grid, const FrameStore& store, const DisplayOptions& display,
                        const MonitoringSession& session, StatusPanels& status, DialogHost& dialogs);

    // The rows in step with the store (row count and heights).
    void SyncRows();
    // Every row counted again (new display options, a new run, a load).
    void Recount();
    // What a timer tick's take loop asks of the list.
    void ShowTaken(const MonitoringSession::Actions& actions);
    // Column width limits after a resize or a mouse release in the list.
    void FitColumns();

    // FrameListView.
    int SelectedRow() const override;
    void SelectRow(int row) override;
    bool DrawingEnabled() const override { return drawingEnabled_; }
    void SetDrawingEnabled(bool enabled) override { drawingEnabled_ = enabled; }
    void RefreshList(bool recountRows) override;
    void ShowFileName(const QString& path, bool onlyIfEmpty) override;
    QFont ListFont() const override;
    int ListColumnWidth(int column) const override;
    int ListClientWidth() const override;

    // The store's records were replaced (a load), told before the rows follow.
    std::function<void()> onStoreReplaced;
    // The text of one row; a seam for the tests of painting failures.
    std::function<void(const FrameRecord&, std::string&, const DisplayOptions&, bool fcsGood)> buildText;

private:
    void DrawCell(QPainter& painter, int row, int column, const QRect& rect, bool selected);

    TDrawGrid& grid_;
    const FrameStore& store_;
    const DisplayOptions& display_;
    const MonitoringSession& session_;
    StatusPanels& status_;
    DialogHost& dialogs_;
    FrameListModel model_;
    bool drawingEnabled_ = true;
    bool paintFaultPosted_ = false;
};
