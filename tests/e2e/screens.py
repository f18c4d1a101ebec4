"""Screenshots of a virtual display, and the colour of a pixel in one."""
import subprocess


def capture(display, path):
    """Saves the whole screen of display as a PNG."""
    subprocess.run(["import", "-display", display, "-window", "root", path], check=True,
                   timeout=30)


def pixel(path, x, y):
    """The (r, g, b) of a pixel in a PNG, read back through a PPM."""
    ppm = subprocess.run(["convert", path, "-crop", "1x1+%d+%d" % (x, y), "+repage", "ppm:-"],
                         check=True, capture_output=True, timeout=30).stdout
    # P6, width, height, maxval, then the bytes of the one pixel.
    parts = ppm.split(maxsplit=4)
    return tuple(parts[4][:3])
