// SPDX-License-Identifier: GPL-3.0-or-later
// Writing each medium as a disc image, and what an image takes.
#include "collection/Tdatamanager.h"

#include "collection/ResultFile.h"
#include "disc/DiscFootprint.h"
#include "disc/DiscImage.h"
#include "platform/PathNames.h"
#include "platform/Prompter.h"

TProcessedMedia TDataManager::MakeImages(int index, const std::string& prefix,
                                         std::uint64_t capacity, FileOperationProgress& progress) {
    TProcessedMedia processed;
    const auto [first, last] = MediaRange(index);
    const std::string mediumName = LastComponent(prefix);
    for (std::size_t i = first; i < last; ++i) {
        const std::string number = std::to_string(i + 1);
        const std::string imagePath = prefix + number + std::string(ImageExtension);
        std::vector<FileOperationSource> sources;
        sources.reserve(Media[i].size());
        for (const TConstItemPosition& item : Media[i])
            sources.push_back({item->Path, item->LinkItself});
        const DiscImageResult result =
            WriteDiscImage(sources, Tree, imagePath, DiscVolumeId(mediumName, i + 1),
                           WorkTitle{MediumWork::MakingImage, i + 1}, Host.prompter, progress,
                           FileOperationPart{i - first + 1, last - first});
        // A cancel stops the whole operation, and the medium counts as stopped. A failure, or an
        // image without a source the user left out, was told already: the medium is not done,
        // and the other media go on.
        if (result.State == DiscImageResult::Outcome::Cancelled) {
            processed.Stopped = true;
            return processed;
        }
        if (result.State == DiscImageResult::Outcome::Failed || result.LeftOut > 0)
            ++processed.Failed;
        else
            ++processed.Done;
        if (result.State == DiscImageResult::Outcome::Failed)
            continue;
        if (result.Size > capacity) {
            Question tooLarge(QuestionKind::ImageTooLarge, imagePath);
            tooLarge.Size = ValueText(result.Size);
            tooLarge.Capacity = ValueText(capacity);
            Host.prompter.Ask(tooLarge);
        }
    }
    return processed;
}

std::uint64_t TDataManager::MediumFootprint(std::size_t medium) const {
    std::uint64_t footprint = DiscImageReserve();
    if (medium >= Media.size())
        return footprint;
    for (const TConstItemPosition& item : Media[medium])
        footprint = SaturatingAdd(footprint, DiscFootprint(item->Path, item->LinkItself, Tree));
    return footprint;
}
