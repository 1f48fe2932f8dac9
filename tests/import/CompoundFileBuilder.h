#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>

#include <memory>
#include <stdexcept>

// Writes a compound file with the given top-level streams through libgsf and returns its
// bytes, so tests build encrypted packages and binary documents instead of keeping files.
inline QByteArray MakeCompoundFile(const QList<QPair<QString, QByteArray>>& Streams)
{
    const auto Unref = [](gpointer Object) { g_object_unref(Object); };
    const std::unique_ptr<GsfOutput, decltype(Unref)> Memory(gsf_output_memory_new(), Unref);
    const std::unique_ptr<GsfOutfile, decltype(Unref)> Outfile(gsf_outfile_msole_new(Memory.get()), Unref);
    if (!Outfile)
        throw std::runtime_error("gsf_outfile_msole_new failed");
    for (const auto& [Name, Data] : Streams)
    {
        const std::unique_ptr<GsfOutput, decltype(Unref)> Child(
            gsf_outfile_new_child(Outfile.get(), Name.toUtf8().constData(), FALSE), Unref);
        if (!Child
            || !gsf_output_write(Child.get(), size_t(Data.size()), reinterpret_cast<const guint8*>(Data.constData()))
            || !gsf_output_close(Child.get()))
            throw std::runtime_error("cannot write a compound file stream");
    }
    if (!gsf_output_close(GSF_OUTPUT(Outfile.get())))
        throw std::runtime_error("cannot close the compound file");
    return QByteArray(reinterpret_cast<const char*>(gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(Memory.get()))),
        qsizetype(gsf_output_size(Memory.get())));
}
