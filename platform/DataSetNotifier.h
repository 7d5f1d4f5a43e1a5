#pragma once

#include "platform/DataSet.h"

#include <QObject>

namespace platform {

// The change notifications of one dataset, for the views that follow it (grids, bound edits,
// pickers). The design's handlers (`afterPost`, `afterScroll` ...) stay single slots of the
// dataset and run first; these signals come after them, even when a handler throws, so a view
// never misses a change that did happen. Rows are positions in the dataset's view (recNo).
// Every dataset owns one: `ds.notifier()`.
class DataSetNotifier : public QObject {
    Q_OBJECT
public:
    explicit DataSetNotifier(DataSet& dataSet) : m_dataSet(dataSet) {}
    DataSet& dataSet() const { return m_dataSet; }

signals:
    void opened();
    void closed();
    // The visible rows were rebuilt as a whole: filter or sort order changed, table emptied, or a
    // posted row moved within the order. Views re-read everything.
    void refiltered();
    void rowInserted(int row);
    // `count` rows came in at the end of the view at once, from `first` on (a bulk loading).
    void rowsAppended(int first, int count);
    void rowRemoved(int row);
    // The stored values of a row changed, or the edit buffer over it was dropped.
    void rowChanged(int row);
    // The current record is another one (navigation, a post that moved it, a removal).
    void currentMoved(int row);
    void stateChanged(platform::DataSetState state);
    // A field of the current record (its edit buffer) got a value.
    void fieldChanged(int fieldIndex);
    // A post begins: controls holding typed text not yet stored write it now, before the
    // design's beforePost sees the record.
    void updatingRecord();

private:
    DataSet& m_dataSet;
};

} // namespace platform
