// display_test.cpp -- what an X server answered, as the start-up's message tells it: a fake
// server on a local TCP port answers one test connection the way a real one might.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <arpa/inet.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include "gfx/display.h"

namespace {

std::string ask(const std::string &display, int *answered = nullptr) {
    char answer[160];
    int a = GFX_ask_display(display.c_str(), answer, sizeof answer);
    if (answered) *answered = a;
    return answer;
}

} // namespace

// Taken, turned away with a reason, closed unanswered, refused, and names that are no display: a
// fake server on a free local port reads the set-up request and sends each reply (none: closes).
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
    struct {
        std::string reply, said;
        int answered;
    } cases[] = {
        {std::string("\1\0\13\0\0\0\0\0", 8), "took a test connection", 1},
        {refusal, "turned a test connection (without authorisation) away: \"" + reason + "\"", 1},
        {"", "closed the connection", 0},
    };
    for (const auto &c : cases) {
        std::thread t([&] {
            int s = accept(fd, nullptr, nullptr);
            char request[12];
            if (!c.reply.empty() && recv(s, request, sizeof request, MSG_WAITALL) == 12)
                send(s, c.reply.data(), c.reply.size(), 0);
            close(s);
        });
        int answered;
        std::string said = ask(display, &answered);
        t.join();
        if (c.reply.empty() && said.rfind("dropped the connection (", 0) == 0)
            said = c.said; // closed before the request came, or after: a reset
        EXPECT_EQ(said, c.said);
        EXPECT_EQ(answered, c.answered) << c.said;
    }
    close(fd);
    EXPECT_EQ(ask(display), "refused the connection (Connection refused)");
    for (const char *name : {"", "nonsense", ":x", "host:", ":1y"})
        EXPECT_EQ(ask(name), "cannot be told from its name") << name;
}
