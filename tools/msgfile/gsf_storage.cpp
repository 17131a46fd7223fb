#include "compound_storage.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-output-memory.h>

#include <map>
#include <stdexcept>

namespace msgfile {
namespace {

// Owns one GObject reference.
template <typename T>
struct Ref {
    T* object;
    explicit Ref(T* adopted) : object(adopted) {}
    ~Ref() {
        if (object) g_object_unref(object);
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
};

// Each storage on a stream's path is created once and closed after all its children.
class StorageTree {
public:
    explicit StorageTree(GsfOutfile* root) : root_(root) {}
    ~StorageTree() {
        for (auto it = opened_.rbegin(); it != opened_.rend(); ++it) {
            gsf_output_close(GSF_OUTPUT(*it));
            g_object_unref(*it);
        }
    }
    StorageTree(const StorageTree&) = delete;
    StorageTree& operator=(const StorageTree&) = delete;

    GsfOutfile* storageFor(const std::string& folder) {
        if (folder.empty()) return root_;
        auto found = byPath_.find(folder);
        if (found != byPath_.end()) return found->second;
        const std::size_t slash = folder.rfind('/');
        GsfOutfile* parent = storageFor(slash == std::string::npos ? "" : folder.substr(0, slash));
        const std::string name = slash == std::string::npos ? folder : folder.substr(slash + 1);
        GsfOutput* created = gsf_outfile_new_child(parent, name.c_str(), TRUE);
        if (!created) throw std::runtime_error("cannot create storage " + folder);
        GsfOutfile* storage = GSF_OUTFILE(created);
        opened_.push_back(storage);
        byPath_[folder] = storage;
        return storage;
    }

private:
    GsfOutfile* root_;
    std::vector<GsfOutfile*> opened_;
    std::map<std::string, GsfOutfile*> byPath_;
};

void writeStream(StorageTree& tree, const std::string& path, const Bytes& data) {
    const std::size_t slash = path.rfind('/');
    GsfOutfile* storage = tree.storageFor(slash == std::string::npos ? "" : path.substr(0, slash));
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    Ref<GsfOutput> stream(gsf_outfile_new_child(storage, name.c_str(), FALSE));
    if (!stream.object) throw std::runtime_error("cannot create stream " + path);
    const bool written = data.empty() || gsf_output_write(stream.object, data.size(), data.data());
    if (!gsf_output_close(stream.object) || !written) throw std::runtime_error("cannot write stream " + path);
}

}  // namespace

Bytes CompoundStorageWriter::serialize() const {
    Ref<GsfOutput> sink(gsf_output_memory_new());
    {
        Ref<GsfOutfile> root(gsf_outfile_msole_new(sink.object));
        gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(root.object), rootClsid_.data());
        {
            StorageTree tree(root.object);
            for (const auto& [path, data] : streams_) writeStream(tree, path, data);
        }
        if (!gsf_output_close(GSF_OUTPUT(root.object))) throw std::runtime_error("cannot finish the compound file");
    }
    const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.object));
    return Bytes(bytes, bytes + gsf_output_size(sink.object));
}

struct CompoundStorageReader::Storage {
    GsfInput* source = nullptr;
    GsfInfile* root = nullptr;
    ~Storage() {
        if (root) g_object_unref(root);
        if (source) g_object_unref(source);
    }
};

CompoundStorageReader::CompoundStorageReader(const Bytes& file) : storage_(std::make_unique<Storage>()) {
    if (file.empty()) throw FormatError("not a compound file");
    storage_->source = gsf_input_memory_new_clone(file.data(), static_cast<gsf_off_t>(file.size()));
    GError* error = nullptr;
    storage_->root = gsf_infile_msole_new(storage_->source, &error);
    if (error) g_error_free(error);
    if (!storage_->root) throw FormatError("not a compound file");
}

CompoundStorageReader::~CompoundStorageReader() = default;

Clsid CompoundStorageReader::rootClsid() const {
    Clsid clsid{};
    gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(storage_->root), clsid.data());
    return clsid;
}

Bytes CompoundStorageReader::readStream(const std::string& name) const {
    Ref<GsfInput> stream(gsf_infile_child_by_name(storage_->root, name.c_str()));
    if (!stream.object || gsf_infile_num_children(GSF_INFILE(stream.object)) >= 0) {
        throw FormatError("missing stream: " + name);
    }
    Bytes data(static_cast<std::size_t>(gsf_input_size(stream.object)));
    if (!data.empty() && !gsf_input_read(stream.object, data.size(), data.data())) {
        throw FormatError("damaged stream: " + name);
    }
    return data;
}

}  // namespace msgfile
