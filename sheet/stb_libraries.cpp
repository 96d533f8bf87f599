// The one translation unit that holds the stb image reader and writer.
