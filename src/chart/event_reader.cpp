#include "chart/recording_paths.h"
#include "chart/recording_reader.h"
#include "files/input_file_buffer.h"
#include "shared/token_scanner.h"

namespace somvix {

namespace {

// The event file's token buffer holds 52 bytes: a longer token gives the empty text.
constexpr size_t EVENT_TOKEN_LENGTH = 51;

}  // namespace

void ReadEventFile(RecordingStore& store, const ShowMessageFn& showMessage) {
    store.m_nEvents = 0;
    InputFileBuffer file;
    if (file.Open(EventFilePath(store.m_strPathName, store.m_strFileTitle, store.m_strFileExt)) !=
        FileOpenResult::Opened) {
        return;
    }
    if (!ParseEvents(file, store) && showMessage) {
        showMessage("Archivo de eventos incorrecto", "Error", MessageIcon::Exclamation);
    }
}

bool ParseEvents(std::streambuf& source, RecordingStore& store) {
    store.m_nEvents = 0;
    TokenScanner scanner(source);
    std::string kind;
    scanner.ReadToken(kind, EVENT_TOKEN_LENGTH);
    store.m_bEventsV1 = 0;
    if (kind != "EventResults" && kind != "EventResults_v1") {
        return false;
    }
    if (kind == "EventResults_v1") {
        store.m_bEventsV1 = 1;
    }
    // The header's words mean nothing to the program; a file that ends inside them simply
    // has no records.
    std::string ignored;
    const int headerWords = store.m_bEventsV1 == 1 ? 3 : 2;
    for (int i = 0; i < headerWords; ++i) {
        scanner.ReadToken(ignored, EVENT_TOKEN_LENGTH);
    }

    while (store.m_nEvents < MAX_EVENTS) {
        EventRecord& event = store.m_events[static_cast<size_t>(store.m_nEvents)];
        int time = 0;
        std::string code;
        if (scanner.ReadInt(time) != ScanResult::Converted ||
            scanner.ReadToken(code, EVENT_TOKEN_LENGTH) != ScanResult::Converted) {
            break;
        }
        event.nTime = time;
        event.strCode = code;
        if (store.m_bEventsV1 == 1 &&
            scanner.ReadToken(event.strMnemonic, EVENT_TOKEN_LENGTH) != ScanResult::Converted) {
            break;  // a record without its mnemonic is not counted
        }
        ++store.m_nEvents;
    }
    return true;
}

}  // namespace somvix
