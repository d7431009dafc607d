"""The release zips' common part: files with SHA256SUMS beside them, packed
reproducibly (a fixed order, fixed time stamps and no Unix attributes, as
made on Windows), so the same files give the same bytes."""
import hashlib
import zipfile

# Zip time stamps are local dates from 1980 on; one fixed date for every entry.
FIXED_DATE = (2026, 1, 1, 0, 0, 0)


def write_release_zip(files, zip_path):
    """Writes `files` (name -> bytes) and their SHA256SUMS to `zip_path`,
    through a partial file so that a failed run leaves no zip, and prints
    the zip's own checksum."""
    files = dict(files)
    sums = "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n" for name, data in sorted(files.items()))
    files["SHA256SUMS"] = sums.encode("ascii")
    zip_path.parent.mkdir(parents=True, exist_ok=True)
    partial = zip_path.with_suffix(".zip.partial")
    with zipfile.ZipFile(partial, "w") as archive:
        for name in sorted(files):
            entry = zipfile.ZipInfo(name, FIXED_DATE)
            entry.create_system = 0
            entry.external_attr = 0
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, files[name], compresslevel=9)
    partial.replace(zip_path)
    print(f"{hashlib.sha256(zip_path.read_bytes()).hexdigest()}  {zip_path}")
