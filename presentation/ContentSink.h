#pragma once
// The content panel and the frame's status elements as the display threads
// see them (record list and paging, definition and key display). The desktop
// application implements it over its content panel; each call runs on the
// user-interface thread while the calling thread waits. Texts are UTF-8.

#include <string>
#include <vector>

namespace pw {

class ContentSink {
public:
    virtual ~ContentSink() = default;

    // Record list. Columns are numbered from 0; the list is created with one
    // empty-headed filler column, so inserted table columns go in front of it.
    virtual void deleteAllRows() = 0;
    virtual void insertColumn(int index, const std::string& heading, int widthPixels) = 0;
    virtual void deleteColumn(int index) = 0;
    virtual int columnCount() const = 0;
    // Appends one row; values beyond the column count are dropped. Returns
    // the row's index.
    virtual int appendRow(const std::vector<std::string>& values) = 0;
    virtual void removeRow(int index) = 0;
    virtual int rowCount() const = 0;
    virtual void repaintList() = 0;

    // true: the record list, the page label and both paging buttons are
    // shown and the definition window hidden; false: the opposite.
    virtual void showRecordList(bool show) = 0;
    virtual void setDefinitionText(const std::string& text) = 0;
    virtual void setPageLabel(const std::string& text) = 0;
    virtual void setPreviousEnabled(bool enabled) = 0;
    virtual void setNextEnabled(bool enabled) = 0;

    // The line of status text under the toolbar.
    virtual void setCaptionText(const std::string& text) = 0;
    // Log: a full line (pane and file), the pane's last line replaced, or a
    // line for the file only (the per-row reports of the record list).
    virtual void appendLogLine(const std::string& text) = 0;
    virtual void replaceLastLogLine(const std::string& text) = 0;
    virtual void writeLogFileLine(const std::string& text) = 0;

    // The progress bar in the status bar (range and position go through
    // the MessageSink).
    virtual void showProgress(bool show) = 0;
};

}  // namespace pw
