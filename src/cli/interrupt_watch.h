#pragma once

namespace somvix {

class CancelRequest;

// From now on the first Ctrl+C asks the running device verb to stop through cancel, which must
// live until the program ends; a second one ends the program at once, as usual.
void WatchForInterrupt(CancelRequest& cancel);

}  // namespace somvix
