#pragma once

#include "PeriodRecordDialog.h"

// The monthly consumer price index by hand.
class TfrmAdd_Edit4 : public PeriodRecordDialog {
public:
    explicit TfrmAdd_Edit4(const RecordDialogContext& context, QWidget* parent = nullptr)
        : PeriodRecordDialog(RecordDialogs::Prices, context, parent) {}
};
