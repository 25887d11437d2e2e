#pragma once

#include <cerrno>
#include <deque>
#include <string>
#include <vector>

#include "hostnet/interface_addresses.h"

namespace somvix::test {

// Scripted addresses of one adapter: each call notes a step ("list", "add 10.8.0.2/24",
// "remove 10.8.0.2/24") in the log it is given and answers what was queued for it, in order.
// With nothing queued a listing and an add fail as for a missing adapter, and a removal
// succeeds.
class FakeInterfaceAddresses : public InterfaceAddresses {
public:
    explicit FakeInterfaceAddresses(std::vector<std::string>& steps) : m_steps(steps) {}

    int ListAddresses(std::vector<InterfaceAddress>& addresses) override {
        m_steps.push_back("list");
        if (m_listings.empty()) {
            return ENODEV;
        }
        addresses = m_listings.front();
        m_listings.pop_front();
        return 0;
    }
    int AddAddress(const std::string& address, int prefixLength) override {
        m_steps.push_back("add " + address + "/" + std::to_string(prefixLength));
        return Answer(m_adds, ENODEV);
    }
    int RemoveAddress(const std::string& address, int prefixLength) override {
        m_steps.push_back("remove " + address + "/" + std::to_string(prefixLength));
        return Answer(m_removals, 0);
    }

    void QueueListing(const std::vector<InterfaceAddress>& addresses) {
        m_listings.push_back(addresses);
    }
    void QueueRemoval(int error) { m_removals.push_back(error); }
    void QueueAdd(int error) { m_adds.push_back(error); }

private:
    static int Answer(std::deque<int>& answers, int unqueued) {
        if (answers.empty()) {
            return unqueued;
        }
        const int error = answers.front();
        answers.pop_front();
        return error;
    }

    std::vector<std::string>& m_steps;
    std::deque<std::vector<InterfaceAddress>> m_listings;
    std::deque<int> m_removals;
    std::deque<int> m_adds;
};

}  // namespace somvix::test
