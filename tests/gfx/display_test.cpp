// display_test.cpp -- what an X server answered to a test connection, as start-up tells it.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <arpa/inet.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include "gfx/display.h"

namespace {

std::string ask(const std::string &display) {
    char answer[160];
    GFX_ask_display(display.c_str(), answer, sizeof answer);
    return answer;
}

} // namespace

// Taken, turned away with a reason (a fake server on a free port), refused, and no display names.
TEST(Display, TheServersAnswerIsToldAsItWas) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ASSERT_EQ(bind(fd, (sockaddr *)&a, len), 0);
    ASSERT_EQ(listen(fd, 1), 0);
    getsockname(fd, (sockaddr *)&a, &len);
    std::string display = "127.0.0.1:" + std::to_string(ntohs(a.sin_port) - 6000);
    const std::string reason = "Maximum number of clients reached";
    std::string refusal =
        std::string("\0", 1) + (char)reason.size() + std::string(6, '\0') + reason;
    const std::pair<std::string, std::string> cases[] = {
        {std::string("\1\0\13\0\0\0\0\0", 8), "took a test connection"},
        {refusal, "turned a test connection (without authorisation) away: \"" + reason + "\""}};
    for (const auto &c : cases) {
        std::thread t([&] {
            int s = accept(fd, nullptr, nullptr);
            char request[12];
            if (recv(s, request, sizeof request, MSG_WAITALL) == 12)
                send(s, c.first.data(), c.first.size(), 0);
            close(s);
        });
        EXPECT_EQ(ask(display), c.second);
        t.join();
    }
    close(fd);
    EXPECT_EQ(ask(display), "refused the connection (Connection refused)");
    for (const char *name : {"nonsense", ":x", "host:", ":1y"}) // no colon, no number, junk
        EXPECT_EQ(ask(name), "cannot be told from its name") << name;
}
