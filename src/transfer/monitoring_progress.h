#pragma once

#include <cstdint>

namespace somvix {

class OperationUi;

// One monitoring's share of the progress bar (the step of its list entry), given out as its
// files arrive: each of its file lists gets an equal part of the share, each file of a list an
// equal part of that, and a file's part follows its bytes on the disk. The bar never moves back
// and never passes the end of the share; Complete gives what is left, so that a run's steps add
// up as they would with one step per monitoring.
class MonitoringProgress {
public:
    MonitoringProgress(OperationUi& ui, int share, int lists);

    // The list-th file list (0 first) names files files.
    void BeginList(int list, int files);
    // written of the size bytes of the file-th file (0 first) of the current list are on the
    // disk.
    void FileBytes(int file, std::uint32_t written, std::uint32_t size);
    // The monitoring is fetched whole: the rest of the share.
    void Complete();

private:
    // Moves the bar to done / whole of the share.
    void MoveTo(std::uint64_t done, std::uint64_t whole);

    OperationUi& m_ui;
    const int m_nShare;
    const int m_nLists;
    int m_nGiven = 0;
    int m_nList = 0;
    int m_nFiles = 1;
};

}  // namespace somvix
