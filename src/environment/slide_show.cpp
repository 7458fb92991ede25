#include "environment/slide_show.h"

#include <algorithm>
#include <utility>

#include "platform/message_box.h"
#include "settings/settings_file.h"

namespace veltamar {

SlideShow::SlideShow(std::function<int()> random, std::function<void(TextureName)> release)
    : random(std::move(random)), release(std::move(release)) {}

std::uint64_t SlideShow::requestPicture(const std::string& path, PictureOrigin origin) {
    const int taken = rowCount() + waitingCount();
    if (taken >= MAX_PICTURES) {
        showMessage("The maximum number of background is: " + std::to_string(taken));
        return 0;
    }
    waiting.push_back({++lastRequestId, path, origin});
    return lastRequestId;
}

bool SlideShow::isWaiting(std::uint64_t id) const {
    return std::any_of(waiting.begin(), waiting.end(), [&](const Request& r) { return r.id == id; });
}

std::vector<std::string> SlideShow::listedPaths() const {
    std::vector<std::string> paths;
    for (const PictureRow& row : list) paths.push_back(row.path);
    for (const Request& request : waiting) paths.push_back(request.path);
    for (const std::string& path : unreadableKept)
        if (paths.size() < static_cast<std::size_t>(MAX_PICTURES)) paths.push_back(path);
    return paths;
}

void SlideShow::pictureReady(std::uint64_t id, TextureName texture) {
    const auto request =
        std::find_if(waiting.begin(), waiting.end(), [&](const Request& r) { return r.id == id; });
    if (request == waiting.end()) {
        if (texture != 0) release(texture);
        return;
    }
    const Request done = std::move(*request);
    waiting.erase(request);

    if (texture != 0) {
        list.push_back({done.path, texture, false});
        if (done.origin == PictureOrigin::User && rowCount() == 1 && ownImageOn) startShow();
    } else {
        showMessage("(" + done.path + ")image loading error.");
        if (done.origin == PictureOrigin::Settings) unreadableKept.push_back(done.path);
        stopShow();
    }
    settle(done.origin);
}

// The show of a loaded list starts once the last picture from the settings file has been read.
void SlideShow::settle(PictureOrigin origin) {
    if (origin != PictureOrigin::Settings || !showAfterLoad) return;
    const bool stillReading = std::any_of(
        waiting.begin(), waiting.end(), [](const Request& r) { return r.origin == PictureOrigin::Settings; });
    if (stillReading) return;
    showAfterLoad = false;
    startShow();
}

void SlideShow::startShowWhenLoaded() {
    showAfterLoad = true;
    settle(PictureOrigin::Settings);
}

void SlideShow::removeRow(int row) {
    if (row >= 0 && row < rowCount()) {
        release(list[static_cast<std::size_t>(row)].texture);
        list.erase(list.begin() + row);
    }
    if (list.empty())
        current = 0;
    else
        rowClicked(0);
}

void SlideShow::removeAll() {
    for (const PictureRow& row : list) release(row.texture);
    list.clear();
    waiting.clear();
    unreadableKept.clear();
    current = 0;
    settle(PictureOrigin::Settings);
}

void SlideShow::ownImageClicked(bool nowOn) {
    ownImageOn = nowOn;
    if (nowOn)
        startShow();
    else if (running)
        stopShow();
}

void SlideShow::startShow() {
    running = true;
    ticks = -1;
}

void SlideShow::stopShow() {
    for (PictureRow& row : list) row.on = false;
    running = false;
}

void SlideShow::rowClicked(int row) {
    if (row < 0 || row >= rowCount()) return;
    if (!running) {
        current = 0;
        return;
    }
    current = list[static_cast<std::size_t>(row)].texture;
    markOnShow();
}

TextureName SlideShow::nextPicture() const {
    if (list.empty() || !running) return 0;
    const int count = rowCount();
    switch (mode_) {
        case PLAY_REPEAT_ONE:
            return current != 0 ? current : list.front().texture;
        case PLAY_REPEAT_ALL: {
            const auto onShow = std::find_if(list.begin(), list.end(),
                                             [&](const PictureRow& r) { return r.texture == current; });
            const int next =
                onShow == list.end() ? 1 % count : static_cast<int>(onShow - list.begin() + 1) % count;
            return list[static_cast<std::size_t>(next)].texture;
        }
        case PLAY_RANDOM:
            return list[static_cast<std::size_t>(random() % count)].texture;
    }
    return 0;
}

bool SlideShow::tick(std::string_view intervalText) {
    if (!running) return false;
    ++ticks;
    const long long seconds = leadingInteger(intervalText);
    if (ticks != 0 && static_cast<long long>(ticks) * TICK_MS < seconds * 1000) return false;
    current = nextPicture();
    ticks = 0;
    if (current != 0) markOnShow();
    return true;
}

void SlideShow::markOnShow() {
    for (PictureRow& row : list) row.on = row.texture == current;
}

}  // namespace veltamar
