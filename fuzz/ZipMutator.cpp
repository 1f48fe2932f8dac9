// Office Open XML packages are ZIP archives of deflated, checksummed parts: mutating
// their bytes almost only ever tries the archive reader, and the XML parsers behind it
// would see little but refused archives. This mutator mostly takes the archive apart,
// mutates the content of one part and packs it again, so the XML parsers get mutated
// XML; now and then it mutates the archive's bytes as they are.
#include <zip.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* Data, std::size_t Size, std::size_t MaxSize);

namespace
{
using TParts = std::vector<std::pair<std::string, std::string>>;

bool Unpack(const std::uint8_t* Data, std::size_t Size, TParts& Parts)
{
    zip_error_t Error;
    zip_error_init(&Error);
    zip_source_t* Source = zip_source_buffer_create(Data, Size, 0, &Error);
    zip_t* Archive = Source ? zip_open_from_source(Source, ZIP_RDONLY, &Error) : nullptr;
    zip_error_fini(&Error);
    if (!Archive)
    {
        zip_source_free(Source);
        return false;
    }
    bool Complete = true;
    const zip_int64_t Count = zip_get_num_entries(Archive, 0);
    for (zip_int64_t Index = 0; Index < Count && Complete; ++Index)
    {
        zip_stat_t Stat;
        zip_file_t* File = nullptr;
        // The input is at most a few hundred kilobytes; a part that claims more is left
        // to the plain mutation.
        Complete = zip_stat_index(Archive, zip_uint64_t(Index), 0, &Stat) == 0 && (Stat.valid & ZIP_STAT_SIZE)
            && (Stat.valid & ZIP_STAT_NAME) && Stat.size <= (1u << 22)
            && (File = zip_fopen_index(Archive, zip_uint64_t(Index), 0)) != nullptr;
        if (!Complete)
            break;
        std::string Content(Stat.size, '\0');
        Complete = zip_fread(File, Content.data(), Stat.size) == zip_int64_t(Stat.size);
        zip_fclose(File);
        Parts.emplace_back(Stat.name, std::move(Content));
    }
    zip_discard(Archive);
    return Complete && !Parts.empty();
}

bool Pack(const TParts& Parts, bool Deflate, std::string& Bytes)
{
    zip_error_t Error;
    zip_error_init(&Error);
    zip_source_t* Buffer = zip_source_buffer_create(nullptr, 0, 0, &Error);
    zip_error_fini(&Error);
    if (!Buffer)
        return false;
    // The archive releases its reference when closed; ours keeps the written bytes.
    zip_source_keep(Buffer);
    zip_t* Archive = zip_open_from_source(Buffer, ZIP_TRUNCATE, nullptr);
    if (!Archive)
        zip_source_free(Buffer);
    bool Written = Archive != nullptr;
    for (const auto& [Name, Content] : Parts)
    {
        if (!Written)
            break;
        zip_source_t* Part = zip_source_buffer(Archive, Content.data(), Content.size(), 0);
        const zip_int64_t Index = Part ? zip_file_add(Archive, Name.c_str(), Part, ZIP_FL_ENC_UTF_8) : -1;
        if (Index < 0)
            zip_source_free(Part);
        Written = Index >= 0
            && zip_set_file_compression(Archive, zip_uint64_t(Index), Deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) == 0;
    }
    if (Archive && (!Written || zip_close(Archive) != 0))
    {
        zip_discard(Archive);
        Written = false;
    }
    zip_stat_t Stat;
    if (Written && zip_source_stat(Buffer, &Stat) == 0 && zip_source_open(Buffer) == 0)
    {
        Bytes.assign(Stat.size, '\0');
        Written = zip_source_read(Buffer, Bytes.data(), Stat.size) == zip_int64_t(Stat.size);
        zip_source_close(Buffer);
    }
    else
        Written = false;
    zip_source_free(Buffer);
    return Written;
}
} // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* Data, std::size_t Size, std::size_t MaxSize, unsigned int Seed)
{
    std::minstd_rand Random(Seed);
    TParts Parts;
    if (Random() % 8 == 0 || !Unpack(Data, Size, Parts))
        return LLVMFuzzerMutate(Data, Size, MaxSize);

    std::string& Content = Parts[Random() % Parts.size()].second;
    if (Content.empty())
        Content = "<";
    const std::size_t OldSize = Content.size();
    Content.resize(std::max<std::size_t>(OldSize * 2, 64));
    Content.resize(LLVMFuzzerMutate(reinterpret_cast<std::uint8_t*>(Content.data()), OldSize, Content.size()));

    // Stored parts keep the XML readable to the next mutation; deflated ones when the
    // archive would not fit otherwise.
    std::string Bytes;
    for (const bool Deflate : {false, true})
        if (Pack(Parts, Deflate, Bytes) && Bytes.size() <= MaxSize)
        {
            std::memcpy(Data, Bytes.data(), Bytes.size());
            return Bytes.size();
        }
    return LLVMFuzzerMutate(Data, Size, MaxSize);
}
